#include "data/DbMessages.h"
#include "data/DbNotices.h"

#include <gtest/gtest.h>

namespace {

// The texts of failures that the other tests can't bring about (an engine
// that does not start, a folder the system refuses), as users read them.
TEST(MessageTexts, TextsOfRareFailuresReadAsWritten)
{
    const struct {
        QString built;
        QString text;
    } cases[] = {
        {DbNotice::engineInitFailed(), QStringLiteral("CODE4 could NOT be initialized!")},
        {DbMsg::attachDirFailed(QStringLiteral("/db/bccattach/_i1004")),
         QStringLiteral("Unable to create subdirectory for attachments: '/db/bccattach/_i1004'")},
        {DbMsg::unknownRecordType(QStringLiteral("_nosuch")),
         QStringLiteral("Unknown record type '_nosuch': nothing was saved.")},
        {DbMsg::unableToOpen(QStringLiteral("/db/bccid.dbf")), QStringLiteral("Unable to open: /db/bccid.dbf")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.text) << c.text.toStdString();
}

} // namespace
