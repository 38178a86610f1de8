// The application framework under the editor: command routing and automatic disabling, the
// idle hook, the single-document template, the command line, the recent-file list in the
// profile, saving that never truncates, dialog units and the list control.
#include "EditorTestSupport.h"
#include "framework/Application.h"
#include "framework/Archive.h"
#include "framework/Command.h"
#include "framework/CommandIds.h"
#include "framework/DialogUnits.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/ListCtrl.h"
#include "framework/RecentFileList.h"
#include "framework/Resources.h"
#include "framework/View.h"
#include "framework/qt/QtBars.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace fw;

// Document, frame and view classes the template makes by runtime class.
class TestDocument : public Document {
    FW_DECLARE_DYNCREATE(TestDocument)
public:
    TestDocument() = default;
    bool OnNewDocument() override
    {
        ++newCount;
        frameKnown = Application::Instance() != nullptr && Application::Instance()->GetMainWnd() != nullptr;
        return Document::OnNewDocument();
    }
    void Serialize(Archive& archive) override
    {
        if (archive.IsStoring() && !toStore.empty())
            archive.Write(toStore.data(), static_cast<int64_t>(toStore.size()));
        if (archive.IsLoading()) {
            char buffer[64];
            int64_t read = 0;
            while ((read = archive.Read(buffer, sizeof buffer)) > 0)
                loaded.append(buffer, static_cast<size_t>(read));
        }
    }
    int newCount = 0;
    bool frameKnown = false;
    std::string toStore;
    std::string loaded;
};
FW_IMPLEMENT_DYNCREATE(TestDocument, Document)

class TestFrame : public FrameWnd {
    FW_DECLARE_DYNCREATE(TestFrame)
};
FW_IMPLEMENT_DYNCREATE(TestFrame, FrameWnd)

class TestView : public View {
    FW_DECLARE_DYNCREATE(TestView)
};
FW_IMPLEMENT_DYNCREATE(TestView, View)

namespace {

constexpr uint32_t kTestDoc = 9300;

class TestApp : public Application {
public:
    TestApp()
    {
        // The profile is the editor's: same organisation, same application name.
        ResourceTable::Instance().AddString(IDS_APP_TITLE, "Quorvan");
        ResourceTable::Instance().AddString(kTestDoc, "Test\n\nfresh\nTest Files (*.tst)\n.tst\nTest.Document\nTest");
        OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
        SetRegistryKey("Local AppWizard-Generated Applications");
        LoadStdProfileSettings(4);
        AddDocTemplate(std::make_unique<SingleDocTemplate>(kTestDoc, FW_RUNTIME_CLASS(TestDocument),
                                                           FW_RUNTIME_CLASS(TestFrame), FW_RUNTIME_CLASS(TestView)));
    }
    bool OnIdle(long count) override
    {
        counts.push_back(count);
        Application::OnIdle(count);
        return count < limit;
    }
    std::vector<long> counts;
    long limit = 4;
};

std::string WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return S(path);
}

using Files = std::vector<std::string>;

// A target with a handler table, for routing cases.
class Target : public CmdTarget {
public:
    Target()
    {
        OnCommand(100, [this] { ++ran; });
        OnCommandEx(101, [](uint32_t) { return false; }); // declines
        OnUpdateCommandUI(102, [](CmdUI& ui) { ui.SetCheck(1); });
        OnUpdateCommandUI(103, [](CmdUI& ui) { ui.ContinueRouting(); });
        OnCommandRange(200, 209, [this](uint32_t id) { lastInRange = id; });
    }
    int ran = 0;
    uint32_t lastInRange = 0;
};

} // namespace

TEST(CommandRouting, UnclaimedCommandsDisableAndHandlersEnable)
{
    Target target;
    CmdUI handled(100);
    handled.DoUpdate(&target, true);
    EXPECT_TRUE(handled.IsEnabled());

    CmdUI unclaimed(555);
    unclaimed.DoUpdate(&target, true);
    EXPECT_FALSE(unclaimed.IsEnabled());
    CmdUI keptAsIs(555);
    keptAsIs.DoUpdate(&target, false); // panes keep their state without a handler
    EXPECT_TRUE(keptAsIs.IsEnabled());

    CmdUI checked(102);
    checked.DoUpdate(&target, true);
    EXPECT_EQ(checked.Check(), 1);
    EXPECT_TRUE(checked.IsEnabled()); // the update handler decided; nothing disabled it

    CmdUI passedOn(103);
    passedOn.DoUpdate(&target, true);
    EXPECT_FALSE(passedOn.IsEnabled()); // routing went on and found no handler

    EXPECT_TRUE(target.OnCmdMsg(100, CmdMsg::Execute, nullptr));
    EXPECT_EQ(target.ran, 1);
    EXPECT_TRUE(target.OnCmdMsg(100, CmdMsg::Probe, nullptr));
    EXPECT_EQ(target.ran, 1); // probing runs nothing
    EXPECT_FALSE(target.OnCmdMsg(101, CmdMsg::Execute, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(207, CmdMsg::Execute, nullptr));
    EXPECT_EQ(target.lastInRange, 207u);
    EXPECT_FALSE(target.OnCmdMsg(210, CmdMsg::Probe, nullptr));
}

TEST(IdleHook, GrowingCountUntilDoneThenAgainAfterAMessage)
{
    TestApp app;
    ASSERT_NE(app.OpenDocumentFile(std::string()), nullptr);
    FrameWnd* frame = app.GetMainWnd();
    frame->ShowWindow(ShowCmd::Show);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Peer(frame)));
    QTest::qWait(20);

    app.StartIdleProcessing();
    ASSERT_SOON(!app.IsIdleActive());
    // A stray window-system event (a loaded machine delivers them late) restarts the count at 0;
    // every run counts up by one from 0, and the last one runs to the end.
    const std::vector<long>& counts = app.counts;
    ASSERT_GE(counts.size(), 5u);
    EXPECT_EQ(std::vector<long>(counts.end() - 5, counts.end()), (std::vector<long>{0, 1, 2, 3, 4}));
    EXPECT_EQ(counts.front(), 0);
    for (std::size_t i = 1; i < counts.size(); ++i)
        EXPECT_TRUE(counts[i] == 0 || counts[i] == counts[i - 1] + 1) << "at " << i;

    // Input starts the sequence over from 0.
    app.counts.clear();
    QTest::keyClick(Peer(frame)->windowHandle(), Qt::Key_Shift);
    ASSERT_SOON(!app.counts.empty());
    ASSERT_SOON(!app.IsIdleActive());
    EXPECT_EQ(app.counts.front(), 0);
    EXPECT_EQ(app.counts.back(), 4);

    // Idle time keeps the command state current.
    qt::FrameAction(frame, ID_FILE_NEW)->setEnabled(false); // a command without a menu item: its action

    ASSERT_FALSE(frame->GetCommandState(ID_FILE_NEW).enabled);
    app.counts.clear();
    QTest::keyClick(Peer(frame)->windowHandle(), Qt::Key_Shift);
    ASSERT_SOON(frame->GetCommandState(ID_FILE_NEW).enabled);
    app.StopIdleProcessing();
}

TEST(DocTemplate, NewAndOpenReuseTheOneDocument)
{
    ClearEditorProfile();
    QTemporaryDir dir;
    TestApp app;
    auto* document = dynamic_cast<TestDocument*>(app.OpenDocumentFile(std::string()));
    ASSERT_NE(document, nullptr);
    FrameWnd* frame = app.GetMainWnd();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(document->frameKnown); // the frame is reachable before the first new step
    EXPECT_EQ(document->GetTitle(), "fresh");
    EXPECT_EQ(frame->GetText(), "fresh - Test");
    ASSERT_NE(frame->GetActiveView(), nullptr);
    EXPECT_EQ(frame->GetActiveView()->GetDocument(), document);
    EXPECT_EQ(frame->GetActiveDocument(), document);

    const std::string path = WriteFile(dir, "scene.tst", "bytes");
    EXPECT_EQ(app.OpenDocumentFile(path), document);
    EXPECT_EQ(app.GetMainWnd(), frame);
    EXPECT_EQ(document->loaded, "bytes");
    EXPECT_EQ(document->GetPathName(), path);
    EXPECT_EQ(document->GetTitle(), "scene.tst");
    EXPECT_EQ(frame->GetText(), "scene.tst - Test");
    EXPECT_EQ(app.GetRecentFileList()->Files(), Files({path}));

    // A file that cannot be read, or a folder, leaves the document as it was.
    EXPECT_EQ(app.OpenDocumentFile(S(dir.filePath("missing.tst"))), nullptr);
    EXPECT_EQ(app.OpenDocumentFile(S(dir.path())), nullptr);
    EXPECT_EQ(document->GetTitle(), "scene.tst");
    EXPECT_EQ(app.GetMainWnd(), frame);

    EXPECT_TRUE(frame->SendCommand(ID_FILE_NEW));
    EXPECT_EQ(frame->GetActiveDocument(), document);
    EXPECT_EQ(document->newCount, 2);
    EXPECT_TRUE(document->GetPathName().empty());
    EXPECT_EQ(document->GetTitle(), "fresh");
}

TEST(DocTemplate, CommandLineOpensTheNamedFile)
{
    ClearEditorProfile();
    QTemporaryDir dir;
    const std::string path = WriteFile(dir, "start.tst", "x");
    TestApp app;
    // The program's parser has taken the options: what is left are file names, dashes and all.
    app.SetCommandLine({"-odd.tst"});
    CommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.shell, CommandLineInfo::Shell::FileOpen);
    EXPECT_EQ(info.fileName, "-odd.tst");

    app.SetCommandLine({path});
    app.ParseCommandLine(info);
    ASSERT_EQ(info.fileName, path);
    ASSERT_TRUE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.GetMainWnd()->GetActiveDocument()->GetTitle(), "start.tst");

    app.SetCommandLine({});
    app.ParseCommandLine(info);
    EXPECT_EQ(info.shell, CommandLineInfo::Shell::FileNew);
}

TEST(RecentFiles, FourNewestFirstKeptInTheProfile)
{
    ClearEditorProfile();
    QTemporaryDir dir;
    Files paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(WriteFile(dir, QStringLiteral("m%1.tst").arg(i), "x"));
    {
        TestApp app;
        for (const std::string& path : paths)
            app.AddToRecentFileList(path);
        app.AddToRecentFileList(paths[2]); // again: moves to the front
        EXPECT_EQ(app.GetRecentFileList()->Files(), Files({paths[2], paths[4], paths[3], paths[1]}));
    }
    QSettings profile("Local AppWizard-Generated Applications", "Quorvan");
    EXPECT_EQ(S(profile.value("Recent File List/File1").toString()), paths[2]);
    EXPECT_EQ(S(profile.value("Recent File List/File4").toString()), paths[1]);
    EXPECT_FALSE(profile.contains("Recent File List/File5"));

    TestApp again; // reads the list back
    EXPECT_EQ(again.GetRecentFileList()->Files(), Files({paths[2], paths[4], paths[3], paths[1]}));
}

TEST(RecentFiles, MenuItemsReplaceThePlaceholder)
{
    ClearEditorProfile();
    QTemporaryDir dir;
    ResourceTable& table = ResourceTable::Instance();
    MenuResource menu;
    menu.popups = {MenuItem::Popup("&File", {MenuItem::Command(ID_FILE_NEW, "&New"), MenuItem::Separator(),
                                             MenuItem::Command(ID_FILE_MRU_FILE1, "Recent File", true),
                                             MenuItem::Separator(), MenuItem::Command(ID_APP_EXIT, "E&xit")})};
    table.AddMenu(kTestDoc, menu);
    TestApp app;
    ASSERT_NE(app.OpenDocumentFile(std::string()), nullptr);
    FrameWnd* frame = app.GetMainWnd();
    frame->UpdateMenuPopup(0);
    EXPECT_FALSE(frame->GetCommandState(ID_FILE_MRU_FILE1).enabled);
    EXPECT_EQ(frame->GetCommandState(ID_FILE_MRU_FILE1).text, "Recent File");

    const std::string first = WriteFile(dir, "a&b.tst", "1");
    const std::string second = WriteFile(dir, "c.tst", "2");
    ASSERT_NE(app.OpenDocumentFile(first), nullptr);
    ASSERT_NE(app.OpenDocumentFile(second), nullptr);
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path()); // files in the current folder show by name
    frame->UpdateMenuPopup(0);
    std::vector<std::string> texts;
    for (const MenuItemState& item : frame->GetMenuItems(0))
        texts.push_back(item.separator ? std::string("-") : item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"&New", "-", "&1 c.tst", "&2 a&&b.tst", "-", "E&xit"}));
    EXPECT_TRUE(frame->GetCommandState(ID_FILE_MRU_FILE1).enabled);
    QDir::setCurrent(previousDir);

    // Choosing an entry opens it; an entry whose file is gone leaves the list.
    EXPECT_TRUE(frame->SendCommand(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(frame->GetActiveDocument()->GetTitle(), "a&b.tst");
    QFile::remove(Q(second));
    frame->SendCommand(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(app.GetRecentFileList()->Files(), Files({first}));
    table.AddMenu(kTestDoc, MenuResource());
}

TEST(RecentFiles, DisplayNamesAreShortened)
{
    EXPECT_EQ(AbbreviatePath("/home/user/projects/models/scene.mes", 30), "/.../projects/models/scene.mes");
    EXPECT_EQ(AbbreviatePath("/short/scene.mes", 30), "/short/scene.mes");
    EXPECT_EQ(AbbreviatePath("/a/an_extremely_long_file_name_for_a_mesh.mes", 30),
              "an_extremely_long_file_name_for_a_mesh.mes");
    RecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
    list.Add("/data/deep/inside/many/folders/of/the/disk/x.mes");
    EXPECT_EQ(list.GetDisplayName(0, "/elsewhere"), "/.../folders/of/the/disk/x.mes");
    EXPECT_EQ(list.GetDisplayName(0, "/data/deep/inside/many/folders/of/the/disk"), "x.mes");
}

TEST(DocumentSave, WritingNothingLeavesTheFileAlone)
{
    QTemporaryDir dir;
    const std::string path = WriteFile(dir, "kept.mes", "RIFF original bytes");
    TestDocument document;
    EXPECT_TRUE(document.OnSaveDocument(path));
    QFile kept(Q(path));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("RIFF original bytes"));
    kept.close();
    EXPECT_TRUE(document.DoSave(S(dir.filePath("never.mes")), true));
    EXPECT_FALSE(QFile::exists(dir.filePath("never.mes")));
    EXPECT_TRUE(document.GetPathName().empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"kept.mes"})); // nothing left beside it

    document.toStore = "new";
    EXPECT_TRUE(document.OnSaveDocument(path));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("new"));
}

TEST(DialogUnits, MappingRoundsLikeTheTemplateUnits)
{
    EXPECT_EQ(MulDivRound(7, 13, 8), 11);  // 11.375
    EXPECT_EQ(MulDivRound(21, 13, 8), 34); // 34.125
    EXPECT_EQ(MulDivRound(3, 6, 4), 5);    // 4.5 rounds up
    EXPECT_EQ(MulDivRound(-3, 6, 4), -5);  // and away from zero
    EXPECT_EQ(MulDivRound(5, 5, 0), 0);
    const DialogBaseUnits base{6, 13};
    EXPECT_EQ(MapDialogRect(Rect::FromSize(178, 7, 50, 14), base), Rect::FromSize(267, 11, 75, 23));
    EXPECT_EQ(MapDialogSize(Size{439, 80}, base), (Size{659, 130}));
}

TEST(ListControl, ItemsWithoutColumnsAndLabelEdits)
{
    Wnd host;
    ASSERT_TRUE(host.CreateEx(0, "host", 0, Rect::FromSize(0, 0, 200, 200), nullptr, 0));
    ListCtrl list;
    ASSERT_TRUE(list.Create(CtlStyle::Report | CtlStyle::EditLabels, Rect::FromSize(0, 0, 100, 100), &host, 7));
    EXPECT_EQ(list.GetDlgCtrlID(), 7u);
    EXPECT_EQ(list.InsertItem(5, "first"), 0); // clamped to the end
    EXPECT_EQ(list.InsertItem(0, "second"), 0);
    EXPECT_EQ(list.GetItemText(1, 0), "first"); // kept although no column shows it
    list.InsertColumn(0, "Name", 90);
    EXPECT_EQ(list.GetItemText(1, 0), "first");
    EXPECT_EQ(list.GetColumnHeading(0), "Name");
    EXPECT_EQ(list.GetColumnWidth(0), 90);
    EXPECT_FALSE(list.SetCheck(0, true)); // no check boxes yet
    list.SetExtendedStyle(ListCtrl::ExCheckBoxes);
    EXPECT_TRUE(list.SetCheck(0, true));
    EXPECT_FALSE(list.EndLabelEdit(0, "renamed"));
    list.SetEndLabelEditHandler([](int, const std::string& text) { return !text.empty(); });
    EXPECT_TRUE(list.EndLabelEdit(0, "renamed"));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnCount(), 1);
}
