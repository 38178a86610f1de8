// The document: opening fills the mesh list and the node tree and resets the camera; New and
// Close empty the tree; a failed open leaves no scene and tells the user; textures beside the
// scene are found however the file was opened; Save and Save As never touch a file; the
// frame-rate count.
#include "EditorTestSupport.h"
#include "SceneTestSupport.h"

#include "Resource.h"
#include "framework/Archive.h"
#include "framework/CommandIds.h"
#include "framework/ListCtrl.h"
#include "framework/RecentFileList.h"
#include "framework/TreeCtrl.h"
#include "orvex/foundation/Timer.h"
#include "orvex/platform/Clock.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cstdio>

namespace {

using fw::ID_FILE_NEW;
using fw::ID_FILE_SAVE;
using fw::ID_FILE_SAVE_AS;

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectCameraAt(CQuorvanView* view, float z)
{
    const Camera& camera = view->GetCamera();
    EXPECT_EQ(camera.angleX, 0.0f);
    EXPECT_EQ(camera.angleY, 0.0f);
    EXPECT_EQ(camera.angleZ, 0.0f);
    EXPECT_EQ(camera.positionX, 0.0f);
    EXPECT_EQ(camera.positionY, 0.0f);
    EXPECT_EQ(camera.positionZ, z);
}

class DocumentTest : public EditorTest {};

} // namespace

TEST_F(DocumentTest, OpenFillsMeshListAndNodeTreeAndResetsTheCamera)
{
    ExpectCameraAt(m_view, 50.0f); // a new view looks from further away
    m_view->GetCamera().angleX = 30.0f;
    const QString path = scenes::Write(m_dir.path(), "family.mes", scenes::Family(UniqueName("skin")));
    ModalGuard guard;

    ASSERT_EQ(Open(path), m_doc);
    ASSERT_NE(m_doc->m_scene, nullptr);
    EXPECT_EQ(m_doc->m_scene->GetNodeCount(), 3);
    EXPECT_EQ(MeshRows(), QStringList({"body", "hat"}));

    fw::TreeCtrl* tree = NodeTree();
    const fw::TreeItem hips = tree->GetRootItem();
    ASSERT_NE(hips, nullptr);
    const fw::TreeItem prop = tree->GetNextSiblingItem(hips);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(tree->GetNextSiblingItem(prop), nullptr); // two top-level items
    EXPECT_EQ(tree->GetItemText(hips), "hips");
    EXPECT_EQ(tree->GetItemText(prop), "prop");
    const fw::TreeItem spine = tree->GetChildItem(hips);
    ASSERT_NE(spine, nullptr);
    EXPECT_EQ(tree->GetNextSiblingItem(spine), nullptr);
    EXPECT_EQ(tree->GetChildItem(prop), nullptr);
    EXPECT_EQ(tree->GetParentItem(spine), hips);
    EXPECT_EQ(tree->GetItemText(spine), "spine");
    EXPECT_EQ(tree->GetItemImage(spine), 0);
    // Only the item inserted last is expanded.
    EXPECT_TRUE(tree->IsExpanded(spine));
    EXPECT_FALSE(tree->IsExpanded(hips));
    EXPECT_FALSE(tree->IsExpanded(prop));

    ExpectCameraAt(m_view, 5.0f);
    EXPECT_EQ(m_doc->GetTitle(), "family.mes");
    EXPECT_EQ(Q(m_doc->GetPathName()), QFileInfo(path).absoluteFilePath());
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_TRUE(RecordedMessages().isEmpty());
    EXPECT_TRUE(guard.Seen().isEmpty());

    // Opening again replaces everything rather than adding to it.
    m_view->GetCamera().positionZ = 80.0f;
    ASSERT_EQ(Open(path), m_doc);
    EXPECT_EQ(MeshRows(), QStringList({"body", "hat"}));
    EXPECT_EQ(tree->GetCount(), 3);
    ExpectCameraAt(m_view, 5.0f);
}

TEST_F(DocumentTest, FileWithoutNodesOrMeshesLeavesBothPagesEmpty)
{
    const QString full = scenes::Write(m_dir.path(), "full.mes", scenes::Family(UniqueName("skin")));
    const QString bare = scenes::Write(m_dir.path(), "bare.mes", scenes::MaterialsOnly({UniqueName("paint")}));
    ASSERT_EQ(Open(full), m_doc);
    ASSERT_EQ(Open(bare), m_doc);
    ASSERT_NE(m_doc->m_scene, nullptr);
    EXPECT_EQ(MeshList()->GetItemCount(), 0);
    EXPECT_EQ(NodeTree()->GetCount(), 0);
    ExpectCameraAt(m_view, 5.0f);
}

TEST_F(DocumentTest, NewAndCloseEmptyTheTreeAndDropTheSceneWithoutAskingToSave)
{
    const QString path = scenes::Write(m_dir.path(), "family.mes", scenes::Family(UniqueName("skin")));
    ASSERT_EQ(Open(path), m_doc);
    ModalGuard guard;

    EXPECT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
    EXPECT_EQ(m_frame->GetActiveDocument(), m_doc);
    EXPECT_EQ(m_doc->m_scene, nullptr);
    EXPECT_EQ(NodeTree()->GetCount(), 0);
    EXPECT_EQ(MeshRows(), QStringList({"body", "hat"})); // the mesh list keeps its rows
    EXPECT_EQ(m_doc->GetTitle(), "noname");
    // Drawing with no scene shows only the overlay.
    m_doc->RenderActiveView();

    ASSERT_EQ(Open(path), m_doc);
    ASSERT_NE(m_doc->m_scene, nullptr);
    Peer(m_frame)->close(); // the close box
    ASSERT_SOON(m_frame.Get() == nullptr);
    EXPECT_EQ(m_doc->m_scene, nullptr);
    EXPECT_TRUE(guard.Seen().isEmpty());
}

TEST(DocumentWithoutFrame, CloseDoesNothingAtAllAndNewFails)
{
    CQuorvanDoc document;
    ASSERT_TRUE(document.CreateScene());
    MeshScene* scene = document.m_scene;
    ASSERT_NE(scene, nullptr);
    document.OnCloseDocument();
    EXPECT_EQ(document.m_scene, scene);
    EXPECT_FALSE(document.OnNewDocument());
    EXPECT_EQ(document.m_scene, scene);
    document.DestroyScene();
    EXPECT_EQ(document.m_scene, nullptr);
    document.DestroyScene(); // twice is harmless
}

TEST_F(DocumentTest, FailedOpenLeavesNoSceneKeepsThePanelsAndSaysWhichFileAndWhy)
{
    const std::string material = UniqueName("skin");
    const QString good = scenes::Write(m_dir.path(), "good.mes", scenes::Family(material));
    ASSERT_EQ(Open(good), m_doc);

    // The same scene cut off inside its meshes, one with another version, and one that is
    // not a mesh file at all: the message gives the scene loader's reason.
    QByteArray bytes = Bytes(good);
    const QString cut = QDir(m_dir.path()).filePath("cut.mes");
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(bytes.size() - 20));
    }
    const QString newer = QDir(m_dir.path()).filePath("newer.mes");
    {
        QByteArray changed = bytes;
        changed[5] = 101; // the version follows the 5-byte signature
        QFile file(newer);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(changed);
    }
    const QString text = QDir(m_dir.path()).filePath("notes.mes");
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("just some notes\n");
    }
    const QString missing = QDir(m_dir.path()).filePath("missing.mes");

    struct Case {
        QString path;
        const char* reason;
    };
    const Case cases[] = {
        // The last 20 bytes are the hat's only list: its count, its index count, three indices.
        {cut, "Mesh 1 \"hat\", group 0: the file ends before the list count (at byte"},
        {newer, "Header: the version is 101; only version 100 is read (at byte 5)."},
        {text, "Header: the signature does not begin with \"RIFF\": not a file of the engine's formats (at byte 1)."},
        {missing, "does not exist"},
        {m_dir.path(), "a folder"},
    };
    for (const Case& failure : cases) {
        SCOPED_TRACE(failure.path.toStdString());
        RecordedMessages().clear();
        EXPECT_EQ(Open(failure.path), nullptr);
        ASSERT_EQ(RecordedMessages().size(), 1);
        const QString message = RecordedMessages().front();
        EXPECT_TRUE(message.startsWith("Quorvan|")) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(failure.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(failure.reason)) << message.toStdString();
        // The document keeps its name and file; a scene that loaded part way is gone at once,
        // so nothing half-loaded is ever drawn.
        EXPECT_EQ(m_doc->GetTitle(), "good.mes");
        EXPECT_EQ(Q(m_doc->GetPathName()), QFileInfo(good).absoluteFilePath());
        EXPECT_FALSE(m_doc->IsModified());
        m_doc->RenderActiveView();
    }
    // The panels show the last file that opened.
    EXPECT_EQ(MeshRows(), QStringList({"body", "hat"}));
    EXPECT_EQ(NodeTree()->GetCount(), 3);
    EXPECT_EQ(m_doc->m_scene, nullptr);
    // Only files that opened join the recent-file list.
    EXPECT_EQ(m_app->GetRecentFileList()->Files(), std::vector<std::string>({S(QFileInfo(good).absoluteFilePath())}));
}

TEST_F(DocumentTest, TexturesBesideTheSceneAreFoundFromAnotherFolder)
{
    // scenes/<a>.mes with its texture beside it, opened while the working directory is elsewhere.
    QDir root(m_dir.path());
    ASSERT_TRUE(root.mkpath("scenes") && root.mkpath("elsewhere"));
    const QString folder = root.filePath("scenes");
    struct Scene {
        std::string material, texture;
        QString path;
    };
    Scene byDialog{UniqueName("dialog"), UniqueName("dialog_tex"), {}};
    Scene byRecent{UniqueName("recent"), UniqueName("recent_tex"), {}};
    for (Scene* scene : {&byDialog, &byRecent}) {
        ASSERT_TRUE(scenes::WriteSolidTexture(folder, scene->texture, 255, 0, 0));
        scene->path = scenes::Write(folder, QString::fromStdString(scene->material) + ".mes",
                                    scenes::Family(scene->material, scene->texture));
    }

    // As the file dialog hands it over: a full path.
    QDir::setCurrent(root.filePath("elsewhere"));
    ASSERT_EQ(Open(byDialog.path), m_doc);
    ASSERT_NE(FindMaterial(byDialog.material.c_str()), nullptr);
    EXPECT_NE(FindMaterial(byDialog.material.c_str())->GetTexture(), nullptr);
    EXPECT_EQ(QDir::current(), QDir(root.filePath("elsewhere"))); // the textures came from beside the scene

    // From the recent-file list.
    QDir::setCurrent(root.filePath("elsewhere"));
    m_app->AddToRecentFileList(S(byRecent.path));
    EXPECT_TRUE(m_frame->SendCommand(fw::ID_FILE_MRU_FILE1));
    EXPECT_EQ(Q(m_doc->GetPathName()), QFileInfo(byRecent.path).absoluteFilePath());
    ASSERT_NE(FindMaterial(byRecent.material.c_str()), nullptr);
    EXPECT_NE(FindMaterial(byRecent.material.c_str())->GetTexture(), nullptr);
    EXPECT_TRUE(RecordedMessages().isEmpty());
}

TEST(DocumentCommandLine, RelativeFileNameOpensWithItsTexture)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    ASSERT_TRUE(root.mkpath("scenes"));
    const std::string material = UniqueName("cmdline");
    const std::string texture = UniqueName("cmdline_tex");
    ASSERT_TRUE(scenes::WriteSolidTexture(root.filePath("scenes"), texture, 0, 255, 0));
    ASSERT_FALSE(scenes::Write(root.filePath("scenes"), "start.mes", scenes::Family(material, texture)).isEmpty());

    const QString startDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    RecordedMessages().clear();
    {
        CQuorvanApp app;
        app.SetCommandLine({"scenes/start.mes"});
        ASSERT_TRUE(app.InitInstance());
        auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(Q(frame->GetActiveDocument()->GetPathName()),
                  QFileInfo(root.filePath("scenes/start.mes")).absoluteFilePath());
        EXPECT_EQ(frame->GetText(), "start.mes - Quorvan");
        ASSERT_NE(FindMaterial(material.c_str()), nullptr);
        EXPECT_NE(FindMaterial(material.c_str())->GetTexture(), nullptr);
        EXPECT_EQ(frame->GetLeftPanel().GetMeshList()->GetItemCount(), 2);
    }
    // A file that does not open ends start-up, after telling the user why.
    {
        CQuorvanApp app;
        app.SetCommandLine({"scenes/absent.mes"});
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(RecordedMessages().size(), 1);
        EXPECT_TRUE(RecordedMessages().front().contains("absent.mes"));
    }
    QDir::setCurrent(startDir);
}

TEST_F(DocumentTest, SaveAndSaveAsLeaveEveryFileAsItIs)
{
    const QString path = scenes::Write(m_dir.path(), "family.mes", scenes::Family(UniqueName("skin")));
    const QByteArray before = Bytes(path);
    const QDateTime modified = QFileInfo(path).lastModified();
    ASSERT_FALSE(before.isEmpty());
    ASSERT_EQ(Open(path), m_doc);
    ModalGuard guard;
    m_frame->UpdateCommandUI();

    for (uint32_t id : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        EXPECT_TRUE(m_frame->GetCommandState(id).enabled) << id;
        EXPECT_TRUE(m_frame->SendCommand(id)) << id;
        EXPECT_EQ(Bytes(path), before) << id;
        EXPECT_NE(m_frame->GetMessageText().find("nothing was saved"), std::string::npos) << id;
    }
    QTest::keyClick(Peer(m_frame), Qt::Key_S, Qt::ControlModifier);
    QTest::qWait(50); // the guard would see a dialog by now
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"family.mes"}));
    EXPECT_EQ(Q(m_doc->GetPathName()), QFileInfo(path).absoluteFilePath());
    EXPECT_FALSE(m_doc->IsModified());

    // The framework's own save path stores through Serialize, which writes nothing, so the
    // file is not even rewritten.
    EXPECT_TRUE(m_doc->DoFileSave());
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    std::FILE* scratch = std::tmpfile();
    ASSERT_NE(scratch, nullptr);
    fw::Archive archive(scratch, fw::Archive::Mode::Store);
    m_doc->Serialize(archive);
    EXPECT_EQ(archive.BytesWritten(), 0);
    std::fclose(scratch);

    // Nothing asks to save: the document never changes.
    EXPECT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
    EXPECT_TRUE(guard.Seen().isEmpty());
}

namespace {

// A clock the test moves by hand: 1000 ticks a second.
struct HandClock {
    static inline int64_t ticks = 0;
    static bool Frequency(int64_t* frequency)
    {
        *frequency = 1000;
        return true;
    }
    static int64_t Counter() { return ticks; }
    static uint32_t Milliseconds() { return static_cast<uint32_t>(ticks); }
};
const ClockSource handClock{HandClock::Frequency, HandClock::Counter, HandClock::Milliseconds};

} // namespace

TEST(DocumentFrameRate, FirstFigureNearZeroThenFramesOverJustOverASecond)
{
    HandClock::ticks = 5000;
    ResetTimerForClock(&handClock);
    CQuorvanDoc::ResetFrameRateCounter();
    CQuorvanDoc document;

    // The first call compares against time 0: one frame in five seconds.
    document.UpdateFps();
    EXPECT_FLOAT_EQ(document.m_fps, 0.2f);
    EXPECT_EQ(static_cast<int>(document.m_fps), 0);

    // 20 frames 50 ms apart reach exactly one second: no new figure yet.
    for (int frame = 0; frame < 20; ++frame) {
        HandClock::ticks += 50;
        document.UpdateFps();
    }
    EXPECT_FLOAT_EQ(document.m_fps, 0.2f);
    // The 21st passes it: 21 frames in 1.05 seconds.
    HandClock::ticks += 50;
    document.UpdateFps();
    EXPECT_FLOAT_EQ(document.m_fps, 20.0f);

    // A stalled second and a half with one frame.
    HandClock::ticks += 1500;
    document.UpdateFps();
    EXPECT_NEAR(document.m_fps, 1.0f / 1.5f, 1e-5);

    ResetTimerForClock(nullptr);
    CQuorvanDoc::ResetFrameRateCounter();
}
