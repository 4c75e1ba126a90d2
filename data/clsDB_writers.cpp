#include "data/clsDB.h"

#include "common/Clock.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"

#include <optional>

using namespace dbdetail;

namespace {

// Plain digits with an optional minus read the same in every locale; only
// other texts need the locale's number reading.
std::optional<double> numberOf(const QString& text)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    bool digits = text.size() > start && text.size() <= 15;
    for (qsizetype i = start; digits && i < text.size(); ++i)
        digits = text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
    if (digits)
        return double(text.toLongLong());
    return Sys().numericValue(text);
}

const Schema::RecordType& typeOf(const char* name)
{
    return *Schema::recordType(QLatin1String(name));
}

} // namespace

bool clsDB::writeFields(RecColl& coll, DATA4* handle, const char* rectype)
{
    const Schema::RecordType& rt = typeOf(rectype);
    for (const Schema::KindField& f : rt.writes)
        AssignValue(d4field(handle, f.name), needText(coll, QLatin1String(f.name)), f.kind);
    if (rt.stamp)
        UpdateFields_LastEdit(handle);
    return true;
}

bool clsDB::UpdateFields_UserInfo(RecColl& coll, DATA4* handle, qint32, bool isNew)
{
    for (const Schema::KindField& f : typeOf("_userinfo").writes) {
        const QString name = QLatin1String(f.name);
        if (name != QLatin1String("password")) {
            AssignValue(d4field(handle, f.name), needText(coll, name), f.kind);
        } else if (isNew) {
            // A new user's password is the login name; an existing one is kept.
            const QString login = needText(coll, QStringLiteral("login"));
            AssignValue(d4field(handle, f.name), Sys().StringToHexStr(login.toLower()), Schema::fkText);
        }
    }
    UpdateFields_LastEdit(handle);
    return true;
}

bool clsDB::UpdateFields_SetPassword(RecColl& coll, DATA4* handle, qint32, bool)
{
    const QString typed = needText(coll, QStringLiteral("password"));
    QString plain = typed;
    if (typed.isEmpty())
        plain = trimBlanks(fieldText(needField(handle, "login")));
    AssignValue(d4field(handle, "password"), Sys().StringToHexStr(plain.toLower()), Schema::fkText);
    UpdateFields_LastEdit(handle);
    return true;
}

bool clsDB::UpdateFields_LockInfo(RecColl& coll, DATA4* handle, qint32, bool)
{
    const bool clear = needText(coll, QStringLiteral("editoper")) == QLatin1String("C");
    AssignValue(d4field(handle, "underedit"), clear ? QStringLiteral("0") : QString::number(m_loginId),
                Schema::fkWhole);
    AssignValue(d4field(handle, "edtstation"), clear ? QString() : Sys().GetLocalComputerName(),
                Schema::fkText);
    return true;
}

bool clsDB::UpdateFields_NewCustomer(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_newcustomer");
}

bool clsDB::UpdateFields_Customer(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_customer");
}

bool clsDB::UpdateFields_Customer2PS(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_ps");
}

bool clsDB::UpdateFields_Customer2Issue(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_issue");
}

bool clsDB::UpdateFields_IssueTemplate(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_issuetemplate");
}

bool clsDB::UpdateFields_ReportDef(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_rptdef");
}

bool clsDB::UpdateFields_Issue2Action(RecColl& coll, DATA4* handle, qint32, bool)
{
    return writeFields(coll, handle, "_issueaction");
}

void clsDB::UpdateFields_LastEdit(DATA4* handle)
{
    // One reading of the clock, so that date and time belong together.
    const QDateTime now = Clock::now();
    AssignValue(d4field(handle, "lastmodby"), QString::number(m_loginId), Schema::fkWhole);
    AssignValue(d4field(handle, "lastmoddt"), now.toString(QStringLiteral("yyyyMMdd")), Schema::fkText);
    AssignValue(d4field(handle, "lastmodtm"), now.toString(QStringLiteral("HH:mm:ss")), Schema::fkText);
}

void clsDB::AssignValue(FIELD4* field, const QString& value, int kind)
{
    try {
        if (!field)
            raiseEngine(m_engine, C4_ERR_ARGUMENT);
        switch (kind) {
        case Schema::fkText:
            assignText(field, value);
            break;
        case Schema::fkDate:
            assignText(field, Sys().CBDateFormat(value));
            break;
        case Schema::fkDecimal:
        case Schema::fkNumber:
        case Schema::fkWhole:
        case Schema::fkNumber7:
            if (const auto number = numberOf(value))
                check(m_engine, f4assignDouble(field, *number));
            break;
        case Schema::fkFlag:
            if (const auto number = numberOf(value))
                assignText(field, Sys().Bool2TorF(*number != 0));
            break;
        case Schema::fkMemo: {
            // Memos have no length limit: the whole text is written.
            const std::string bytes = toWin1252(value);
            check(m_engine, f4memoAssignN(field, bytes.data(), uint32_t(bytes.size())));
            break;
        }
        case Schema::fkTime:
            assignText(field, Sys().CBTimeFormat(value));
            break;
        default:
            break;
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_AssignValue"), f.error);
    }
}

bool clsDB::TorF2Bool(const QString& flag) const
{
    return flag.toUpper() == QLatin1String("T");
}

QString clsDB::TorF2Str(const QString& flag) const
{
    return TorF2Bool(flag) ? QStringLiteral("Yes") : QStringLiteral("No");
}
