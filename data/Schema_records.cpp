#include "data/Schema.h"

#include <array>

namespace Schema {
namespace {

constexpr std::array kCustomerWrites{
    KindField{"custno", fkText},     KindField{"firstname", fkText},  KindField{"lastname", fkText},
    KindField{"company", fkText},    KindField{"custcat", fkWhole},   KindField{"salutation", fkText},
    KindField{"title", fkText},      KindField{"address1", fkText},   KindField{"address2", fkText},
    KindField{"city", fkText},       KindField{"state", fkWhole},     KindField{"postalcode", fkText},
    KindField{"country", fkWhole},   KindField{"workphone", fkText},  KindField{"homephone", fkText},
    KindField{"mobilphone", fkText}, KindField{"faxphone", fkText},   KindField{"emailname", fkText},
    KindField{"emailname2", fkText}, KindField{"notes", fkMemo},      KindField{"contacts", fkMemo},
    KindField{"custom1", fkText},    KindField{"custom2", fkText}};
// The same fields with the memos last.
constexpr std::array kCustomerReads{
    KindField{"custno", fkText},     KindField{"firstname", fkText},  KindField{"lastname", fkText},
    KindField{"company", fkText},    KindField{"custcat", fkWhole},   KindField{"salutation", fkText},
    KindField{"title", fkText},      KindField{"address1", fkText},   KindField{"address2", fkText},
    KindField{"city", fkText},       KindField{"state", fkWhole},     KindField{"postalcode", fkText},
    KindField{"country", fkWhole},   KindField{"workphone", fkText},  KindField{"homephone", fkText},
    KindField{"mobilphone", fkText}, KindField{"faxphone", fkText},   KindField{"emailname", fkText},
    KindField{"emailname2", fkText}, KindField{"custom1", fkText},    KindField{"custom2", fkText},
    KindField{"notes", fkMemo},      KindField{"contacts", fkMemo}};

constexpr std::array kNewCustomerWrites{KindField{"firstname", fkText}, KindField{"lastname", fkText},
                                        KindField{"company", fkText}};

constexpr std::array kPsFields{
    KindField{"custid", fkWhole},   KindField{"psid", fkWhole},     KindField{"shortdesc", fkText},
    KindField{"custom1", fkText},   KindField{"custom2", fkText},   KindField{"dateinit", fkDate},
    KindField{"dateterm", fkDate},  KindField{"contno", fkText},    KindField{"trackno", fkText},
    KindField{"conttype", fkWhole}, KindField{"contdur", fkWhole},  KindField{"notes", fkMemo}};

constexpr std::array kIssueWrites{
    KindField{"custid", fkWhole},     KindField{"psid", fkWhole},       KindField{"shortdesc", fkText},
    KindField{"custom1", fkText},     KindField{"custom2", fkText},     KindField{"assignedto", fkWhole},
    KindField{"priority", fkWhole},   KindField{"status", fkWhole},     KindField{"issuecat", fkWhole},
    KindField{"submitdt", fkDate},    KindField{"responsedt", fkDate},  KindField{"resolvedt", fkDate},
    KindField{"desc", fkMemo},        KindField{"resolution", fkMemo}};
constexpr std::array kIssueReads{
    KindField{"custid", fkWhole},     KindField{"psid", fkWhole},       KindField{"shortdesc", fkText},
    KindField{"assignedto", fkWhole}, KindField{"priority", fkWhole},   KindField{"status", fkWhole},
    KindField{"issuecat", fkWhole},   KindField{"submitdt", fkDate},    KindField{"responsedt", fkDate},
    KindField{"resolvedt", fkDate},   KindField{"desc", fkMemo},        KindField{"resolution", fkMemo},
    KindField{"custom1", fkText},     KindField{"custom2", fkText}};

constexpr std::array kIssueActionWrites{
    KindField{"issueid", fkWhole}, KindField{"date", fkDate},      KindField{"action", fkWhole},
    KindField{"perfby", fkWhole},  KindField{"desc", fkText},      KindField{"duration", fkDecimal},
    KindField{"notes", fkMemo}};

constexpr std::array kTemplateWrites{
    KindField{"psid", fkWhole},       KindField{"shortdesc", fkText},  KindField{"custom1", fkText},
    KindField{"custom2", fkText},     KindField{"assignedto", fkWhole}, KindField{"priority", fkWhole},
    KindField{"status", fkWhole},     KindField{"issuecat", fkWhole},  KindField{"desc", fkMemo},
    KindField{"resolution", fkMemo}};
constexpr std::array kTemplateReads{
    KindField{"psid", fkWhole},       KindField{"shortdesc", fkText},  KindField{"assignedto", fkWhole},
    KindField{"priority", fkWhole},   KindField{"status", fkWhole},    KindField{"issuecat", fkWhole},
    KindField{"desc", fkMemo},        KindField{"resolution", fkMemo}, KindField{"custom1", fkText},
    KindField{"custom2", fkText},     KindField{"name", fkText}};

// password is written by the user writer itself, and only for a new row.
constexpr std::array kUserWrites{
    KindField{"login", fkText},     KindField{"password", fkText}, KindField{"firstname", fkText},
    KindField{"lastname", fkText},  KindField{"dept", fkText},     KindField{"useractive", fkText},
    KindField{"usertype", fkText},  KindField{"perm", fkText},     KindField{"note", fkMemo}};
constexpr std::array kUserReads{
    KindField{"login", fkText},     KindField{"password", fkText}, KindField{"useractive", fkText},
    KindField{"usertype", fkText},  KindField{"perm", fkText},     KindField{"firstname", fkText},
    KindField{"lastname", fkText},  KindField{"dept", fkText},     KindField{"note", fkMemo}};

constexpr std::array kSetPwdWrites{KindField{"password", fkText}};

constexpr std::array kRptDefFields{KindField{"title", fkText}, KindField{"type", fkText},
                                   KindField{"def", fkMemo}, KindField{"notes", fkMemo}};

constexpr std::array kLastEditFields{KindField{"lastmodby", fkWhole}, KindField{"lastmoddt", fkDate},
                                     KindField{"lastmodtm", fkTime}};

constexpr std::array kLockInfoFields{KindField{"underedit", fkWhole}, KindField{"edtstation", fkText}};

// In the order in which the writers are tried; names compare exactly.
const RecordType kRecordTypes[] = {
    {"_userinfo", kUserWrites, true, kUserReads},
    {"_setpwd", kSetPwdWrites, true, {}},
    {"_lockinfo", kLockInfoFields, false, kLockInfoFields},
    {"_newcustomer", kNewCustomerWrites, true, {}},
    {"_customer", kCustomerWrites, true, kCustomerReads},
    {"_ps", kPsFields, true, kPsFields},
    {"_issue", kIssueWrites, true, kIssueReads},
    {"_issuetemplate", kTemplateWrites, true, kTemplateReads},
    {"_rptdef", kRptDefFields, true, kRptDefFields},
    {"_issueaction", kIssueActionWrites, false, {}},
    {"_lastedit", {}, false, kLastEditFields},
};

} // namespace

const RecordType* recordType(const QString& name)
{
    for (const RecordType& rt : kRecordTypes)
        if (name == QLatin1String(rt.name))
            return &rt;
    return nullptr;
}

std::span<const RecordType> allRecordTypes() { return kRecordTypes; }
std::span<const KindField> lastEditFields() { return kLastEditFields; }
std::span<const KindField> lockInfoFields() { return kLockInfoFields; }

} // namespace Schema
