#pragma once

#include "app/clsForm.h"

#include <QString>

// A record-window contract that does nothing but what a test stand-in
// overrides (Init at least): for windows that only have to be opened and
// found again.
class IdleForm : public clsForm {
public:
    void InitControls() override {}
    void LoadData() override {}
    void SetUI() override {}
    void SetLock(bool) override {}
    void DoEditModeBtn() override {}
    bool ValidateData() override { return true; }
    bool SaveData() override { return true; }
    bool DiscardChanges() override { return true; }
    void UpdateLastEditCtl() override {}
    QString FormContent() override { return QString(); }
    QString FormPrint() override { return QString(); }
    QString FormEmail() override { return QString(); }
};
