#include "common/SettingsFile.h"
#include "common/mdlRegistry.h"
#include "common/ui/clsWndStartupPos.h"

#include "TestSupport.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class StartupPosTest : public ::testing::Test {
protected:
    void save(qint32 top, qint32 left, qint32 width, qint32 height, qint32 state)
    {
        SavePrefLong(QStringLiteral("top"), top);
        SavePrefLong(QStringLiteral("left"), left);
        SavePrefLong(QStringLiteral("width"), width);
        SavePrefLong(QStringLiteral("height"), height);
        SavePrefLong(QStringLiteral("windowstate"), state);
    }

    bmtest::TempFolder m_temp;
    SettingsFile::Override m_settings{m_temp.file(QStringLiteral("settings.ini"))};
    clsWndStartupPos m_pos;
};

TEST_F(StartupPosTest, APositionOnTheScreenComesBack)
{
    QWidget saved;
    saved.move(40, 30);
    saved.resize(500, 300);
    m_pos.SavePosition(&saved);
    EXPECT_EQ(GetPrefLong(QStringLiteral("left")), 40 * 15);
    EXPECT_EQ(GetPrefLong(QStringLiteral("width")), 500 * 15);
    EXPECT_EQ(GetPrefLong(QStringLiteral("windowstate")), 0);

    QWidget restored;
    m_pos.RestorePosition(&restored);
    EXPECT_FALSE(restored.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(restored.pos(), QPoint(40, 30));
    EXPECT_EQ(restored.size(), QSize(500, 300));
}

TEST_F(StartupPosTest, AWindowThatWouldOpenOffTheScreenOpensMaximized)
{
    const struct {
        const char* why;
        qint32 top, left, width, height, state;
    } cases[] = {
        {"left of the screen", 450, -50 * 15, 7500, 4500, 0},
        {"above the screen", -15, 450, 7500, 4500, 0},
        {"below the screen", 100000, 450, 7500, 4500, 0},
        {"right of the screen", 450, 100000, 7500, 4500, 0},
        {"no width", 450, 450, 0, 4500, 0},
        {"no height", 450, 450, 7500, 0, 0},
        {"saved maximized", 450, 450, 7500, 4500, 2},
    };
    for (const auto& c : cases) {
        save(c.top, c.left, c.width, c.height, c.state);
        QWidget w;
        m_pos.RestorePosition(&w);
        EXPECT_TRUE(w.windowState() & Qt::WindowMaximized) << c.why;
    }
}

TEST_F(StartupPosTest, NothingSavedOpensMaximized)
{
    QWidget w;
    m_pos.RestorePosition(&w);
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(StartupPosTest, AMinimizedWindowLeavesTheSavedPositionAlone)
{
    save(450, 450, 7500, 4500, 0);
    QWidget w;
    w.move(1, 1);
    w.setWindowState(Qt::WindowMinimized);
    m_pos.SavePosition(&w);
    EXPECT_EQ(GetPrefLong(QStringLiteral("left")), 450);

    w.setWindowState(Qt::WindowMaximized);
    m_pos.SavePosition(&w);
    EXPECT_EQ(GetPrefLong(QStringLiteral("windowstate")), 2);
}

} // namespace
