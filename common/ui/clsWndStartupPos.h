#pragma once

#include <QString>

class QWidget;

// Remembers where the main window was: its position and size (in twips, 15
// a pixel) and whether it was maximized, as the preferences "top", "left",
// "width", "height" and "windowstate". Keeps no state of its own.
class clsWndStartupPos {
public:
    // Saves the window's current rectangle and state (0 normal, 2
    // maximized); a minimized window saves nothing.
    void SavePosition(const QWidget* form) const;

    // Puts the window back where it was. It opens maximized when it was
    // saved maximized, when nothing was saved, and when the saved rectangle
    // would start off the screen (left or top below 0, beyond the screen's
    // width or height) or has no width or height.
    void RestorePosition(QWidget* form) const;

    // As GetPrefLong.
    qint32 GetValueLong(const QString& name) const;

    static constexpr int kTwipsPerPixel = 15;

private:
    bool writeLong(const QString& name, qint32 value) const;
};
