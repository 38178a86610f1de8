#pragma once
// The application object: start-up and shut-down, the message loop with its idle hook, the
// profile with its recent-file list, the document template, the command line, and the
// application-wide commands (New, Open, recent files, Exit).
#include "framework/Command.h"
#include "framework/Wnd.h"

#include <memory>
#include <string>
#include <vector>

namespace fw {

class Document;
class FrameWnd;
class Profile;
class RecentFileList;
class SingleDocTemplate;

// What the command line asks for at start.
struct CommandLineInfo {
    enum class Shell { FileNew, FileOpen };
    Shell shell = Shell::FileNew;
    std::string fileName;
};

class Application : public CmdTarget {
public:
    struct Impl;

    // Needs the toolkit started (on Qt a QApplication). There is one application object at a
    // time.
    Application();
    ~Application() override;

    static Application* Instance();

    // Start-up; false ends the program.
    virtual bool InitInstance();
    // Shut-down; the program's exit code.
    virtual int ExitInstance();
    // Idle hook, called with a growing count while no message waits and again after each
    // message, starting over at 0, while it returns true. The base updates the command state
    // at count 0 and wants more calls only then.
    virtual bool OnIdle(long count);

    // InitInstance, then the message loop with idle processing, then ExitInstance.
    int Run();

    // Idle processing outside Run (tests drive it from their own event loop).
    void StartIdleProcessing();
    void StopIdleProcessing();
    bool IsIdleActive() const;
    long IdleCount() const;

    FrameWnd* GetMainWnd() const;
    void SetMainWnd(FrameWnd* frame);
    // The application title (string IDS_APP_TITLE), also the profile's application name.
    std::string AppName() const;

    // Profile: settings under organisation key and the application's name.
    void SetRegistryKey(const std::string& key);
    const std::string& RegistryKey() const { return m_registryKey; }
    Profile& GetProfile() const;
    // Reads the recent-file list of maxFiles entries (0: none) from the profile.
    void LoadStdProfileSettings(int maxFiles = 4);
    void SaveStdProfileSettings() const;
    RecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }
    virtual void AddToRecentFileList(const std::string& path);

    void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate);
    SingleDocTemplate* GetDocTemplate() const { return m_template.get(); }

    // Command line: the operands the program's own parser left (its options and the toolkit's
    // are taken before); none unless the program sets them.
    void SetCommandLine(std::vector<std::string> arguments) { m_arguments = std::move(arguments); }
    // The first operand is the file to open; without one, a new document.
    void ParseCommandLine(CommandLineInfo& info) const;
    bool ProcessShellCommand(const CommandLineInfo& info);

    virtual Document* OpenDocumentFile(const std::string& path);

    // Framework handlers an application may put in its own command table.
    void OnFileNew();
    // The file dialog with the document template's filter, then OpenDocumentFile.
    void OnFileOpen();

protected:
    bool OnOpenRecentFile(uint32_t id);
    void OnUpdateRecentFileMenu(CmdUI& ui);
    void OnAppExit();

private:
    friend struct Impl;
    // Runs one idle call; false when the hook wants no more.
    bool RunIdle();
    // The neutral parts of construction and destruction (instance, command handlers; main
    // window and template), which the toolkit's constructor and destructor call.
    void ConstructCommon();
    void DestructCommon();

    std::string m_appName;
    std::string m_registryKey;
    std::vector<std::string> m_arguments;
    WndRef<FrameWnd> m_mainWnd;
    std::unique_ptr<SingleDocTemplate> m_template;
    std::unique_ptr<RecentFileList> m_recentFiles;
    mutable std::unique_ptr<Profile> m_profile;
    long m_idleCount = 0;
    std::unique_ptr<Impl> m_impl;
};

} // namespace fw
