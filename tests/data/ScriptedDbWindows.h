#pragma once

#include "data/DbWindows.h"

#include <QList>
#include <QString>

#include <deque>

namespace bmtest {

// The database object's windows for tests without widgets. Installs itself
// while it lives. The login "dialog" verifies each scripted try with
// clsDB::VerifyLogin, as the real one does, and is cancelled once the tries
// run out; the under-edit "dialog" gives the scripted answers (then False).
class ScriptedDbWindows final : public DbWindows {
public:
    struct Offer {
        QString folder;
        QString login;
        QString password;
    };
    struct Mark {
        QString userName;
        QString computerName;
    };

    ScriptedDbWindows();
    ~ScriptedDbWindows() override;
    ScriptedDbWindows(const ScriptedDbWindows&) = delete;
    ScriptedDbWindows& operator=(const ScriptedDbWindows&) = delete;

    ScriptedDbWindows& tryLogin(const QString& login, const QString& password);
    ScriptedDbWindows& editAnyway(bool answer);

    const QList<Offer>& offers() const { return m_offers; }
    const QList<Mark>& marksShown() const { return m_marks; }
    int refusedTries() const { return m_refused; }
    int unloads() const { return m_unloads; }
    int labelRefreshes() const { return m_labelRefreshes; }

    bool promptLogin(const QString& folder, const QString& login, const QString& password,
                     LoginAnswer& answer) override;
    bool askEditAnyway(const QString& userName, const QString& computerName) override;
    void unloadAllButMain() override { ++m_unloads; }
    void setCustomMenuLabels() override { ++m_labelRefreshes; }

private:
    std::deque<std::pair<QString, QString>> m_tries;
    std::deque<bool> m_answers;
    QList<Offer> m_offers;
    QList<Mark> m_marks;
    int m_refused = 0;
    int m_unloads = 0;
    int m_labelRefreshes = 0;
    DbWindows* m_previous = nullptr;
};

} // namespace bmtest
