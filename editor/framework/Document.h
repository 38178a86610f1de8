#pragma once
// A document: the data behind the views, with its path, title and modified flag, and the steps
// the framework's New, Open, Save and Close run. Paths are UTF-8.
#include "framework/Command.h"

#include <string>
#include <vector>

namespace fw {

class Archive;
class SingleDocTemplate;
class View;

class Document : public CmdTarget {
    FW_DECLARE_DYNAMIC(Document)
public:
    Document();
    ~Document() override;

    // New: empties the document. False keeps the frame from showing it.
    virtual bool OnNewDocument();
    // Open: reads path through Serialize. False when the file cannot be read.
    virtual bool OnOpenDocument(const std::string& path);
    // Save: stores through Serialize. What Serialize writes replaces the file at once; when it
    // writes nothing the file is left exactly as it was (never truncated).
    virtual bool OnSaveDocument(const std::string& path);
    // Close: closes the frames that show the document and empties it.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void Serialize(Archive& archive);
    // Asks to save a modified document; false when the user cancels.
    virtual bool SaveModified();

    // Saves to path, or to a name the user picks when path is empty; replace makes the new
    // name the document's own.
    bool DoSave(const std::string& path, bool replace);
    bool DoFileSave();

    const std::string& GetTitle() const { return m_title; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_pathName; }
    // Takes path (made absolute) as the document's file, names it after the file and, with
    // addToRecentFiles, puts it first in the recent-file list.
    virtual void SetPathName(const std::string& path, bool addToRecentFiles = true);
    void ClearPathName() { m_pathName.clear(); }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    const std::vector<View*>& Views() const { return m_views; }
    View* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void AddView(View* view);
    void RemoveView(View* view);
    void UpdateFrameTitles();

    SingleDocTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(SingleDocTemplate* docTemplate) { m_template = docTemplate; }

private:
    std::string m_title;
    std::string m_pathName;
    bool m_modified = false;
    bool m_closing = false;
    std::vector<View*> m_views;
    SingleDocTemplate* m_template = nullptr;
};

} // namespace fw
