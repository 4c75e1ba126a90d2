#pragma once

#include <QLocale>

// Makes `locale` the default for the life of the scope, then restores the
// one before.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : m_saved(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_saved); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    static QLocale english() { return QLocale(QLocale::English, QLocale::UnitedStates); }
    static QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }

private:
    QLocale m_saved;
};
