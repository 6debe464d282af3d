#pragma once

#include "Navigation.h"

// The navigation without a window: no dialogs, nothing shown.
class NoView : public NavigationView
{
public:
    int testingModeIndex() const override { return 0; }
    std::optional<QString> chooseRecordFile() override { return std::nullopt; }
    std::optional<QString> askRowNumber() override { return std::nullopt; }
    bool confirmDelete(const QString &) override { return false; }
    bool confirmReplace(const QString &) override { return false; }
    void selectRow(int) override {}
    int selectedRow() const override { return -1; }
    void tableChanged() override {}
    void showWarning(const QString &) override {}
    bool settleTypedEdits(const QString &) override { return true; }
    void showRecord(const DecodedRecord &, const QString &) override {}
};
