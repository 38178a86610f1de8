#include "FileMessages.h"

#include "orvex/foundation/FileRefusal.h"

#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <cstring>

QString DescribeUnreadableFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("The file does not exist.");
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The file cannot be read: %1.").arg(file.errorString());
    return QStringLiteral("The file cannot be read.");
}

QString DescribeRefusal(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    QString sentence = FileNameText(text);
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    if (refusal.GetOffset() >= 0)
        sentence += QStringLiteral(" (at byte %1)").arg(refusal.GetOffset());
    return sentence + QLatin1Char('.');
}

QString FileNameText(const char* name)
{
    if (name == nullptr)
        return QString();
    const QByteArrayView bytes(name, static_cast<qsizetype>(std::strlen(name)));
    if (QUtf8StringView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}
