#pragma once
// Helpers of the document, view and material dialog tests: writer-made scenes in a temporary
// folder, the user messages the editor shows (recorded instead of shown), an editor started
// with no file, and a guard that notices (and closes) any modal window a step opens.
#include "MainFrm.h"
#include "Quorvan.h"
#include "QuorvanDoc.h"
#include "QuorvanView.h"
#include "format/MeshWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <string>

// Every message the editor meant for the user since the last Clear, as "caption|text".
QStringList& RecordedMessages();
// Sends user messages to RecordedMessages (the test program's main does this once).
void RecordUserMessages();

// A name no other test in this run has used: materials and textures are program-wide.
std::string UniqueName(const std::string& stem);

namespace scenes {

using namespace orvex::format;

// Nodes "hips" (root), "prop" (root), "spine" (child of hips); meshes "body" on hips and "hat"
// on spine, drawn with material `material` (untextured unless `texture` is given).
SceneDesc Family(const std::string& material, const std::string& texture = "");
// Materials only, no nodes and no meshes.
SceneDesc MaterialsOnly(const std::vector<std::string>& names);
// A square of side 2 at the origin facing the camera (clockwise on screen), textured with
// `texture`.
SceneDesc Square(const std::string& material, const std::string& texture);

// Writes the scene to folder/name and returns the full path (empty on failure).
QString Write(const QString& folder, const QString& name, const SceneDesc& scene);
// Writes a width x height image of one colour as folder/<texture>.TGA.
bool WriteSolidTexture(const QString& folder, const std::string& texture, uint8_t r, uint8_t g, uint8_t b);

} // namespace scenes

// Closes any modal window that shows up while it lives and remembers its title.
class ModalGuard {
public:
    ModalGuard();
    ~ModalGuard();
    const QStringList& Seen() const { return m_seen; }

private:
    QTimer m_timer;
    QStringList m_seen;
};

// The editor as it starts without a file, with its frame on screen, the info bar hidden so the
// view has room, and the working directory put back afterwards.
class EditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens path as the framework's Open does; null when the open failed.
    CQuorvanDoc* Open(const QString& path);
    fw::ListCtrl* MeshList() const;
    fw::TreeCtrl* NodeTree() const;
    QStringList MeshRows() const;

    QTemporaryDir m_dir;
    QString m_startDir;
    std::unique_ptr<CQuorvanApp> m_app;
    fw::WndRef<CMainFrame> m_frame;
    CQuorvanDoc* m_doc = nullptr;
    CQuorvanView* m_view = nullptr;
};
