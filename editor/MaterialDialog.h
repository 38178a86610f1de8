#pragma once
// The material editor: a modal dialog listing the name of every material registered since the
// program started, in registry order, duplicates included. It shows names only; nothing in it
// changes a material, and an item renamed in place keeps its old text.
#include "framework/Dialog.h"

namespace fw {
class TreeCtrl;
}

class MaterialDialog : public fw::Dialog {
public:
    explicit MaterialDialog(fw::Wnd* parent = nullptr);

    fw::TreeCtrl* GetMaterialTree() const { return m_tree; }

    void DoDataExchange(fw::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    fw::TreeCtrl* m_tree = nullptr;
};
