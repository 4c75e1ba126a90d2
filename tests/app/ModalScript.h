#pragma once

#include "app/ModalWindows.h"

#include <QDialog>

#include <deque>
#include <functional>

// Drives the administration windows shown modally: each display runs the
// next step with the window, as a user would work in it; a display that
// finds no step left is cancelled (reject) and counted. The window's
// captions at each display are kept.
class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;

    ModalScript()
        : m_previous(ModalWindows::setRunner([this](QDialog& dialog) { run(dialog); }))
    {
    }
    ~ModalScript() { ModalWindows::setRunner(std::move(m_previous)); }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    int unscripted = 0;
    QStringList captions;

private:
    void run(QDialog& dialog)
    {
        captions.append(dialog.windowTitle());
        if (m_steps.empty()) {
            ++unscripted;
            dialog.reject();
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(dialog);
    }

    std::deque<Step> m_steps;
    ModalWindows::Runner m_previous;
};
