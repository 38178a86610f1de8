#pragma once
// The editor's document: the scene of the opened mesh file and the frame-rate measurement.
// Opening a file loads the scene and fills the left panel's mesh list and node tree; New and
// Close empty the tree and drop the scene. The editor views scenes: the document never
// changes, writes or truncates a file, and is never modified, so nothing asks to save.
#include "framework/Document.h"

class MeshScene;

class CQuorvanDoc : public fw::Document {
    FW_DECLARE_DYNCREATE(CQuorvanDoc)
public:
    CQuorvanDoc();
    ~CQuorvanDoc() override;

    // Empties the node tree (the mesh list keeps its rows) and drops the scene.
    bool OnNewDocument() override;
    // Loads the file's scene with the textures beside it (MeshScene::LoadInFolder), fills the
    // mesh list and the node tree, expands the last node's item and resets the active view's
    // camera. On failure no scene is left and the user is told which file failed and why.
    bool OnOpenDocument(const std::string& path) override;
    // Empties the node tree and drops the scene, then closes as the framework does.
    void OnCloseDocument() override;
    // Reads and writes nothing.
    void Serialize(fw::Archive& archive) override;
    // Save and Save As come here before the framework's handlers: they write nothing, leave
    // every file as it is and say so on the status bar.
    bool OnCmdMsg(uint32_t id, fw::CmdMsg msg, fw::CmdUI* ui) override;

    // Has the main frame's active view draw a frame, when there is one.
    virtual void RenderActiveView();
    // Counts a drawn frame; once more than a second has passed since the last figure, the
    // frames counted since then over the time passed becomes m_fps.
    virtual void UpdateFps();
    // A new, empty scene in m_scene, and the frame timer started. False when it cannot be made.
    virtual bool CreateScene();
    // Stops the frame timer and deletes the scene.
    virtual void DestroyScene();

    // The frame count and the time of the last figure, as at program start (tests).
    static void ResetFrameRateCounter();

    float m_fps = 0.0f;           // last measured frames per second
    MeshScene* m_scene = nullptr; // owned; null after construction, New, Close and a failed open

private:
    void OnFileSave();
};
