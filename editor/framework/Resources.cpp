#include "framework/Resources.h"

#include <QStringList>

namespace fw {

MenuItem MenuItem::Command(uint32_t id, QString text, bool grayed)
{
    MenuItem item;
    item.kind = Kind::Command;
    item.id = id;
    item.text = std::move(text);
    item.grayed = grayed;
    return item;
}

MenuItem MenuItem::Separator()
{
    MenuItem item;
    item.kind = Kind::Separator;
    return item;
}

MenuItem MenuItem::Popup(QString text, std::vector<MenuItem> items)
{
    MenuItem item;
    item.kind = Kind::Popup;
    item.text = std::move(text);
    item.items = std::move(items);
    return item;
}

ResourceTable& ResourceTable::Instance()
{
    static ResourceTable table;
    return table;
}

void ResourceTable::AddString(uint32_t id, QString text)
{
    m_strings[id] = std::move(text);
}
void ResourceTable::AddMenu(uint32_t id, MenuResource menu)
{
    m_menus[id] = std::move(menu);
}
void ResourceTable::AddToolBar(uint32_t id, ToolBarResource toolBar)
{
    m_toolBars[id] = std::move(toolBar);
}
void ResourceTable::AddAccelerators(uint32_t id, std::vector<Accelerator> table)
{
    m_accelerators[id] = std::move(table);
}
void ResourceTable::AddDialog(uint32_t id, DialogTemplate dialog)
{
    m_dialogs[id] = std::move(dialog);
}
void ResourceTable::AddIcon(uint32_t id, std::function<QIcon()> make)
{
    m_icons[id] = std::move(make);
}
void ResourceTable::RemoveToolBar(uint32_t id)
{
    m_toolBars.erase(id);
}
void ResourceTable::RemoveDialog(uint32_t id)
{
    m_dialogs.erase(id);
}

std::optional<QString> ResourceTable::String(uint32_t id) const
{
    auto it = m_strings.find(id);
    if (it == m_strings.end())
        return std::nullopt;
    return it->second;
}

template <class Map>
static auto FindIn(const Map& map, uint32_t id) -> const typename Map::mapped_type*
{
    auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

const MenuResource* ResourceTable::Menu(uint32_t id) const
{
    return FindIn(m_menus, id);
}
const ToolBarResource* ResourceTable::ToolBar(uint32_t id) const
{
    return FindIn(m_toolBars, id);
}
const std::vector<Accelerator>* ResourceTable::Accelerators(uint32_t id) const
{
    return FindIn(m_accelerators, id);
}
const DialogTemplate* ResourceTable::Dialog(uint32_t id) const
{
    return FindIn(m_dialogs, id);
}

QIcon ResourceTable::Icon(uint32_t id) const
{
    auto it = m_icons.find(id);
    return it == m_icons.end() ? QIcon() : it->second();
}

Prompt SplitPrompt(const QString& prompt)
{
    const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
    if (newline < 0)
        return {prompt, QString()};
    return {prompt.left(newline), prompt.mid(newline + 1)};
}

QString StringField(const QString& text, int index)
{
    const QStringList fields = text.split(QLatin1Char('\n'));
    return index >= 0 && index < fields.size() ? fields[index] : QString();
}

} // namespace fw
