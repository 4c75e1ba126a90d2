#include "SeedWords.h"

#include <array>

namespace SeedWords {
namespace {

constexpr std::array<const char*, 40> kFirst{
    "James", "Mary", "Robert", "Patricia", "John", "Jennifer", "Michael", "Linda", "David", "Elizabeth",
    "William", "Barbara", "Richard", "Susan", "Joseph", "Jessica", "Thomas", "Sarah", "Charles", "Karen",
    "Daniel", "Nancy", "Matthew", "Lisa", "Anthony", "Betty", "Mark", "Margaret", "Paul", "Sandra",
    "Steven", "Ashley", "Andrew", "Emily", "Kenneth", "Donna", "Joshua", "Michelle", "Kevin", "Carol"};
constexpr std::array<const char*, 40> kLast{
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis", "Rodriguez", "Martinez",
    "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin",
    "Lee", "Perez", "Thompson", "White", "Harris", "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson",
    "Walker", "Young", "Allen", "King", "Wright", "Scott", "Torres", "Nguyen", "Hill", "O'Brien"};
constexpr std::array<const char*, 24> kCompany{
    "Acme", "Blue Ridge", "Cedar", "Summit", "Pioneer", "Harbor", "Granite", "Maple", "Northwind", "Silverline",
    "Keystone", "Riverside", "Evergreen", "Lakeshore", "Redwood", "Horizon", "Atlas", "Beacon", "Crescent",
    "Falcon", "Meridian", "Orchard", "Sterling", "Willow"};
constexpr std::array<const char*, 10> kSuffix{"Inc.", "LLC", "Ltd.", "& Sons", "Group", "Partners",
                                             "Industries", "Services", "Holdings", "Co."};
constexpr std::array<const char*, 12> kTitles{
    "Owner", "Office Manager", "IT Director", "Purchasing Agent", "Accountant", "President",
    "Operations Manager", "Receptionist", "CFO", "Sales Manager", "Engineer", "Consultant"};
constexpr std::array<const char*, 16> kStreets{
    "Main Street", "Oak Avenue", "Maple Drive", "Cedar Lane", "Elm Street", "Park Road", "Washington Blvd",
    "Lake Shore Drive", "Hill Street", "Church Road", "Mill Lane", "Sunset Avenue", "River Road",
    "Highland Avenue", "Broadway", "Spring Street"};
constexpr std::array<const char*, 20> kCities{
    "Springfield", "Riverton", "Franklin", "Greenville", "Bristol", "Clinton", "Fairview", "Salem",
    "Madison", "Georgetown", "Arlington", "Ashland", "Burlington", "Dover", "Hudson", "Kingston",
    "Lexington", "Milton", "Newport", "Oxford"};
constexpr std::array<const char*, 6> kDepartments{"Support", "Sales", "Accounting", "Field Service",
                                                 "Management", "Development"};
constexpr std::array<const char*, 12> kSubjects{
    "Cannot connect to", "Error message in", "Slow response from", "Request for training on",
    "Invoice question about", "Upgrade of", "Password reset for", "Backup failed on",
    "Printing problem with", "Crash when opening", "Licence renewal for", "Data missing in"};
constexpr std::array<const char*, 12> kObjects{
    "the mail server", "the accounting package", "the shared drive", "the web shop", "the VPN",
    "the office printer", "the point of sale", "the database", "the file server", "the phone system",
    "the laptop", "the customer portal"};
constexpr std::array<const char*, 10> kSentences{
    "Customer called and described the problem in detail.",
    "The issue started after the last update.",
    "Several users in the office are affected.",
    "Restarting the machine did not help.",
    "A screenshot was sent by e-mail.",
    "The problem happens only in the morning.",
    "Walked the customer through the settings on the phone.",
    "Replaced the faulty cable and tested the connection.",
    "Applied the vendor's patch and confirmed with the customer.",
    "Customer will watch it for a week and report back."};
constexpr std::array<const char*, 7> kSalutations{"Mr.", "Miss.", "Ms.", "Mrs.", "Dr.", "Rev.", "Prof."};

constexpr std::array<const char*, 7> kCustCats{"Retail", "Wholesale", "Government", "Education",
                                              "Non-profit", "Partner", "VIP"};
constexpr std::array<const char*, 8> kProducts{"Support Contract", "Website Hosting", "Cloud Backup",
                                              "Managed Network", "Software License", "Hardware Maintenance",
                                              "Consulting", "Training"};
constexpr std::array<const char*, 14> kStates{"Alabama", "California", "Colorado", "Florida", "Georgia",
                                             "Illinois", "New York", "Ohio", "Oregon", "Texas",
                                             "Washington", "Ontario", "Quebec", "British Columbia"};
constexpr std::array<const char*, 8> kCountries{"United States", "Canada", "Mexico", "United Kingdom",
                                               "Germany", "France", "Australia", "Ireland"};
constexpr std::array<const char*, 3> kContTypes{"Annual", "Monthly", "Pay per Incident"};
constexpr std::array<const char*, 4> kContDurs{"6 Months", "1 Year", "2 Years", "3 Years"};
constexpr std::array<const char*, 6> kIssueCats{"Billing", "Installation", "Bug Report", "How-to Question",
                                               "Feature Request", "Outage"};
constexpr std::array<const char*, 6> kActions{"Phone Call", "E-mail", "On-site Visit", "Remote Session",
                                             "Escalation", "Follow-up"};
constexpr std::array<const char*, 3> kQuickCust1{"Newsletter", "Referral", "Trade Show"};
constexpr std::array<const char*, 3> kQuickCust2{"Key Account", "Prospect", "Former"};
constexpr std::array<const char*, 3> kQuickIssue1{"Windows", "macOS", "Linux"};
constexpr std::array<const char*, 3> kQuickIssue2{"Remote", "On site", "Phone"};
constexpr std::array<const char*, 3> kQuickPs1{"Gold", "Silver", "Bronze"};
constexpr std::array<const char*, 3> kQuickPs2{"Renewal due", "Paid", "Invoiced"};

const std::array kLists{
    CategoryList{1, kCustCats},   CategoryList{2, kProducts},    CategoryList{3, kStates},
    CategoryList{4, kCountries},  CategoryList{103, kContTypes}, CategoryList{104, kContDurs},
    CategoryList{105, kIssueCats}, CategoryList{106, kActions},  CategoryList{200, kQuickCust1},
    CategoryList{201, kQuickCust2}, CategoryList{202, kQuickIssue1}, CategoryList{203, kQuickIssue2},
    CategoryList{204, kQuickPs1}, CategoryList{205, kQuickPs2}};

} // namespace

std::span<const char* const> firstNames() { return kFirst; }
std::span<const char* const> lastNames() { return kLast; }
std::span<const char* const> companyWords() { return kCompany; }
std::span<const char* const> companySuffixes() { return kSuffix; }
std::span<const char* const> jobTitles() { return kTitles; }
std::span<const char* const> streets() { return kStreets; }
std::span<const char* const> cities() { return kCities; }
std::span<const char* const> departments() { return kDepartments; }
std::span<const char* const> issueSubjects() { return kSubjects; }
std::span<const char* const> issueObjects() { return kObjects; }
std::span<const char* const> sentences() { return kSentences; }
std::span<const char* const> salutations() { return kSalutations; }
std::span<const CategoryList> categoryLists() { return kLists; }

} // namespace SeedWords
