#pragma once
// The application object: start-up and shut-down, the idle hook, the profile with its
// recent-file list, the document template, the command line, and the application-wide
// commands (New, Open, recent files, Exit).
#include "framework/Command.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class QSettings;

namespace fw {

class Document;
class FrameWnd;
class RecentFileList;
class SingleDocTemplate;

// What the command line asks for at start.
struct CommandLineInfo {
    enum class Shell { FileNew, FileOpen };
    Shell shell = Shell::FileNew;
    QString fileName;
};

class Application : public QObject, public CmdTarget {
    Q_OBJECT
public:
    // Needs a QApplication. There is one application object at a time.
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
    long IdleCount() const { return m_idleCount; }

    FrameWnd* GetMainWnd() const;
    void SetMainWnd(FrameWnd* frame);
    // The application title (string IDS_APP_TITLE), also the profile's application name.
    QString AppName() const;

    // Profile: settings under organisation key and the application's name.
    void SetRegistryKey(const QString& key);
    QString RegistryKey() const { return m_registryKey; }
    std::unique_ptr<QSettings> Profile() const;
    // Reads the recent-file list of maxFiles entries (0: none) from the profile.
    void LoadStdProfileSettings(int maxFiles = 4);
    void SaveStdProfileSettings() const;
    RecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }
    virtual void AddToRecentFileList(const QString& path);

    void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate);
    SingleDocTemplate* GetDocTemplate() const { return m_template.get(); }

    // Command line: the operands the program's own parser left (its options and the toolkit's
    // are taken before); none unless the program sets them.
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }
    // The first operand is the file to open; without one, a new document.
    void ParseCommandLine(CommandLineInfo& info) const;
    bool ProcessShellCommand(const CommandLineInfo& info);

    virtual Document* OpenDocumentFile(const QString& path);

    // Framework handlers an application may put in its own command table.
    void OnFileNew();
    void OnFileOpen();

protected:
    bool OnOpenRecentFile(uint32_t id);
    void OnUpdateRecentFileMenu(CmdUI& ui);
    void OnAppExit();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunIdle();

    QString m_appName;
    QString m_registryKey;
    QStringList m_arguments;
    QPointer<FrameWnd> m_mainWnd;
    std::unique_ptr<SingleDocTemplate> m_template;
    std::unique_ptr<RecentFileList> m_recentFiles;
    QTimer m_idleTimer;
    long m_idleCount = 0;
    bool m_idleEnabled = false;
    QPointF m_lastMousePos;
};

} // namespace fw
