#include "MeshFileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t kMeshFileVersion = 100;

}  // namespace

QString DescribeUnreadableFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("The file does not exist.");
    if (info.isDir()) return QStringLiteral("It is a folder, not a file.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("The file cannot be read: %1.").arg(file.errorString());
    return QStringLiteral("The file cannot be read.");
}

QString DescribeRefusedMeshFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return DescribeUnreadableFile(path);
    // Header: a length-prefixed signature whose first 4 bytes are "RIFF", then the version.
    uint8_t length = 0;
    char signature[255] = {};
    if (file.read(reinterpret_cast<char*>(&length), 1) != 1 || length < 4 || file.read(signature, length) != length ||
        std::memcmp(signature, "RIFF", 4) != 0) {
        return QStringLiteral("It is not a mesh file: it does not start with the mesh file header.");
    }
    uint8_t bytes[4] = {};
    if (file.read(reinterpret_cast<char*>(bytes), 4) != 4) {
        return QStringLiteral("The file ends inside its header.");
    }
    const int32_t version = static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                                 static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    if (version != kMeshFileVersion) {
        return QStringLiteral("Its format version is %1; Quorvan reads version %2.").arg(version).arg(kMeshFileVersion);
    }
    return QStringLiteral(
        "Its contents are damaged or cut short: the materials, nodes or meshes could not be read, or a mesh uses a "
        "material that no loaded file defines.");
}

QString FileNameText(const char* name) {
    if (name == nullptr) return QString();
    const QByteArrayView bytes(name, static_cast<qsizetype>(std::strlen(name)));
    if (QUtf8StringView(bytes).isValidUtf8()) return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}
