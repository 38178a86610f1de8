#include "SceneTestSupport.h"

#include "EditorTestSupport.h"
#include "Resource.h"
#include "UserMessage.h"
#include "format/TgaWriter.h"
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <atomic>

QStringList& RecordedMessages()
{
    static QStringList messages;
    return messages;
}

void RecordUserMessages()
{
    SetUserMessageHandler([](const std::string& caption, const std::string& text) {
        RecordedMessages().append(Q(caption) + QLatin1Char('|') + Q(text));
    });
}

std::string UniqueName(const std::string& stem)
{
    static std::atomic<int> counter{0};
    return stem + "_" + std::to_string(++counter);
}

namespace scenes {
namespace {

MeshDesc Triangle(const std::string& name, int32_t node, const std::string& material)
{
    MeshDesc mesh;
    mesh.name = name;
    mesh.vertices = {
        {0, 0, {0, 0, 1}, {0, 0, 0}},
        {0, 1, {0, 0, 1}, {0, 1, 0}},
        {1, 1, {0, 0, 1}, {1, 1, 0}},
    };
    mesh.nodeIndices = {node, node, node};
    mesh.groups.push_back(GroupDesc{material, {TriangleListDesc{{0, 1, 2}}}});
    return mesh;
}

} // namespace

SceneDesc Family(const std::string& material, const std::string& texture)
{
    SceneDesc scene;
    MaterialDesc& skin = scene.materials.emplace_back();
    skin.name = material;
    skin.texture = texture;
    scene.nodes.push_back(NodeDesc{"hips", -1, {}, {}});
    scene.nodes.push_back(NodeDesc{"prop", -1, {3, 0, 0}, {}});
    scene.nodes.push_back(NodeDesc{"spine", 0, {0, 1, 0}, {}});
    scene.meshes.push_back(Triangle("body", 0, material));
    scene.meshes.push_back(Triangle("hat", 2, material));
    return scene;
}

SceneDesc MaterialsOnly(const std::vector<std::string>& names)
{
    SceneDesc scene;
    for (const std::string& name : names)
        scene.materials.emplace_back().name = name;
    return scene;
}

SceneDesc Square(const std::string& material, const std::string& texture)
{
    SceneDesc scene;
    MaterialDesc& paint = scene.materials.emplace_back();
    paint.name = material;
    paint.texture = texture;
    scene.nodes.push_back(NodeDesc{"root", -1, {}, {}});
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "square";
    // Bottom left, top left, top right, bottom right: clockwise as the camera sees it.
    mesh.vertices = {
        {0, 0, {0, 0, 1}, {-1, -1, 0}},
        {0, 1, {0, 0, 1}, {-1, 1, 0}},
        {1, 1, {0, 0, 1}, {1, 1, 0}},
        {1, 0, {0, 0, 1}, {1, -1, 0}},
    };
    mesh.nodeIndices = {0, 0, 0, 0};
    mesh.groups.push_back(GroupDesc{material, {TriangleListDesc{{0, 1, 2, 0, 2, 3}}}});
    return scene;
}

QString Write(const QString& folder, const QString& name, const SceneDesc& scene)
{
    const QString path = QDir(folder).filePath(name);
    std::string error;
    if (!WriteScene(QFile::encodeName(path).toStdString(), scene, &error)) {
        ADD_FAILURE() << "cannot write " << path.toStdString() << ": " << error;
        return QString();
    }
    return path;
}

bool WriteSolidTexture(const QString& folder, const std::string& texture, uint8_t r, uint8_t g, uint8_t b)
{
    const int side = 4;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < side * side; ++i)
        pixels.insert(pixels.end(), {r, g, b});
    const QString path = QDir(folder).filePath(QString::fromStdString(texture) + QStringLiteral(".TGA"));
    return WriteTga(QFile::encodeName(path).toStdString(), TgaFromPixels(side, side, 3, pixels.data()));
}

} // namespace scenes

ModalGuard::ModalGuard()
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_seen << modal->windowTitle();
            modal->close();
        }
    });
    m_timer.start();
}

ModalGuard::~ModalGuard()
{
    m_timer.stop();
}

void EditorTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_startDir = QDir::currentPath();
    RecordedMessages().clear();
    ClearEditorProfile();
    m_app = std::make_unique<CQuorvanApp>();
    m_app->SetCommandLine({});
    ASSERT_TRUE(m_app->InitInstance());
    m_frame = dynamic_cast<CMainFrame*>(m_app->GetMainWnd());
    ASSERT_NE(m_frame.Get(), nullptr);
    Peer(m_frame)->resize(1000, 700);
    m_frame->SendCommand(ID_VIEW_INFODIALOGBAR); // the info bar is wide; the view needs room
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Peer(m_frame)));
    m_doc = dynamic_cast<CQuorvanDoc*>(m_frame->GetActiveDocument());
    m_view = dynamic_cast<CQuorvanView*>(m_frame->GetActiveView());
    ASSERT_NE(m_doc, nullptr);
    ASSERT_NE(m_view, nullptr);
}

void EditorTest::TearDown()
{
    m_app.reset();
    QDir::setCurrent(m_startDir);
}

CQuorvanDoc* EditorTest::Open(const QString& path)
{
    return dynamic_cast<CQuorvanDoc*>(m_app->OpenDocumentFile(S(path)));
}

fw::ListCtrl* EditorTest::MeshList() const
{
    return m_frame->GetLeftPanel().GetMeshList();
}

fw::TreeCtrl* EditorTest::NodeTree() const
{
    return m_frame->GetLeftPanel().GetNodeTree();
}

QStringList EditorTest::MeshRows() const
{
    QStringList rows;
    for (int row = 0; row < MeshList()->GetItemCount(); ++row)
        rows << Q(MeshList()->GetItemText(row, 0));
    return rows;
}
