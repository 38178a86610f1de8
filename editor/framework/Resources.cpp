#include "framework/Resources.h"

namespace fw {

MenuItem MenuItem::Command(uint32_t id, std::string text, bool grayed)
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

MenuItem MenuItem::Popup(std::string text, std::vector<MenuItem> items)
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

void ResourceTable::AddString(uint32_t id, std::string text)
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
void ResourceTable::AddIcon(uint32_t id, std::function<Image(int)> draw)
{
    m_icons[id] = std::move(draw);
}
void ResourceTable::RemoveToolBar(uint32_t id)
{
    m_toolBars.erase(id);
}
void ResourceTable::RemoveDialog(uint32_t id)
{
    m_dialogs.erase(id);
}

std::optional<std::string> ResourceTable::String(uint32_t id) const
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

bool ResourceTable::HasIcon(uint32_t id) const
{
    return m_icons.count(id) != 0;
}

Image ResourceTable::Icon(uint32_t id, int size) const
{
    auto it = m_icons.find(id);
    if (it == m_icons.end() || size <= 0)
        return Image();
    return it->second(size);
}

Prompt SplitPrompt(const std::string& prompt)
{
    const size_t newline = prompt.find('\n');
    if (newline == std::string::npos)
        return {prompt, std::string()};
    return {prompt.substr(0, newline), prompt.substr(newline + 1)};
}

std::string StringField(const std::string& text, int index)
{
    size_t start = 0;
    for (int field = 0; field < index; ++field) {
        const size_t newline = text.find('\n', start);
        if (index < 0 || newline == std::string::npos)
            return std::string();
        start = newline + 1;
    }
    if (index < 0)
        return std::string();
    const size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace fw
