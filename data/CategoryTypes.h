#pragma once

// The type codes of the category table: each pick list is the rows of one
// code. Codes below 200 are stored by row identifier in the field that keeps
// the choice; the quick lists (200 to 205) only offer texts, and the field
// keeps the chosen text.
namespace CatType {

enum Kind : int {
    CustomerCategory = 1,   // bcccust.custcat
    ProductService = 2,     // psid of bcccust_ps, bccissues, bccitempl
    State = 3,              // bcccust.state
    Country = 4,            // bcccust.country
    IssueStatus = 101,      // status of bccissues, bccitempl
    IssuePriority = 102,    // priority of bccissues, bccitempl
    ContractType = 103,     // bcccust_ps.conttype
    ContractDuration = 104, // bcccust_ps.contdur
    IssueCategory = 105,    // issuecat of bccissues, bccitempl
    IssueAction = 106,      // bcciactions.action
    CustomerCustom1 = 200,  // quick list of bcccust.custom1
    CustomerCustom2 = 201,
    IssueCustom1 = 202,     // quick lists of bccissues.custom1 / custom2 (and bccitempl)
    IssueCustom2 = 203,
    PSCustom1 = 204,        // quick lists of bcccust_ps.custom1 / custom2
    PSCustom2 = 205,
};

} // namespace CatType
