// The system dialogs on Qt: QColorDialog and QFileDialog.
#include "framework/CommandIds.h"
#include "framework/CommonDialogs.h"
#include "framework/qt/QtWnd.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QStringList>

namespace fw {
namespace {

QWidget* Owner(Wnd* parent)
{
    QWidget* widget = qt::WidgetOf(parent);
    return widget != nullptr ? widget->window() : nullptr;
}

// "Desc|*.a;*.b|All|*.*||" as Qt's "Desc (*.a *.b);;All (*)".
QString QtFilter(const std::string& filter)
{
    const QStringList parts = qt::ToQ(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString description = parts[i];
        const qsizetype paren = description.indexOf(QLatin1String(" ("));
        if (paren >= 0)
            description.truncate(paren);
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

int ColorDialog::DoModal()
{
    QColorDialog dialog(qt::ToQColor(m_color), Owner(m_parent));
    if (dialog.exec() != QDialog::Accepted)
        return IdCancel;
    m_color = qt::FromQColor(dialog.selectedColor());
    return IdOk;
}

int FileDialog::DoModal()
{
    const QString title = qt::ToQ(m_title.empty() ? (m_open ? "Open" : "Save As") : m_title);
    const QString filter = QtFilter(m_filter);
    const QString path = m_open ? QFileDialog::getOpenFileName(Owner(m_parent), title, qt::ToQ(m_fileName), filter)
                                : QFileDialog::getSaveFileName(Owner(m_parent), title, qt::ToQ(m_fileName), filter);
    if (path.isEmpty())
        return IdCancel;
    m_fileName = qt::FromQ(path);
    if (!m_defaultExt.empty() && m_fileName.find('.', m_fileName.find_last_of('/') + 1) == std::string::npos) {
        m_fileName += m_defaultExt[0] == '.' ? m_defaultExt : "." + m_defaultExt;
    }
    return IdOk;
}

} // namespace fw
