#include "budget/core/Budget.h"

namespace quillora {
namespace {

using namespace std::string_view_literals;

// Labels exactly as the window shows them: "Wedding rings " and "Announcements " keep
// their trailing blank, "Boutonnières" its accented letter.
constexpr std::array kApparel = {"Engagement ring"sv, "Wedding rings "sv, "Bridal gown"sv,
                                 "Veil/headpiece"sv, "Shoes"sv, "Jewelry"sv, "Garter"sv,
                                 "Hosiery"sv, "Groom's tuxedo"sv, "Groom's shoes"sv, "Other"sv};
constexpr std::array kDecorations = {"Bows for church pews/other seating"sv,
                                     "Table centerpieces (excludes flowers)"sv, "Candles"sv,
                                     "Lighting"sv, "Balloons"sv, "Other"sv};
constexpr std::array kGifts = {"Attendants"sv, "Bride and groom"sv, "Parents"sv,
                               "Readers/other participants"sv, "Other"sv};
constexpr std::array kFlowers = {"Bouquets"sv, "Boutonni\xC3\xA8res"sv, "Corsages"sv,
                                 "Ceremony"sv, "Reception"sv, "Other"sv};
constexpr std::array kMusic = {"Musicians for ceremony"sv, "Band/DJ for reception"sv, "Other"sv};
constexpr std::array kPhotography = {"Formals"sv, "Candids"sv, "Extra prints"sv,
                                     "Photo albums"sv, "Videography"sv, "Other"sv};
constexpr std::array kReception = {"Room/hall fees"sv, "Tables and chairs"sv, "Food"sv,
                                   "Drinks"sv, "Linens"sv, "Cake"sv, "Favors"sv,
                                   "Staff and gratuities"sv, "Other"sv};
constexpr std::array kStationery = {"Invitations"sv, "Announcements "sv, "Thank-You cards"sv,
                                    "Personal stationery"sv, "Guest book"sv, "Programs"sv,
                                    "Reception napkins"sv, "Matchbooks"sv, "Calligraphy"sv,
                                    "Other"sv};
constexpr std::array kTransportation = {"Limousines/trolleys"sv, "Parking"sv, "Taxis"sv,
                                        "Other"sv};
constexpr std::array kOthers = {"Officiant"sv, "Church/ceremony site fee"sv,
                                "Wedding coordinator"sv, "Rehearsal dinner"sv,
                                "Engagement party"sv, "Showers"sv, "Salon appointments"sv,
                                "Bachelor/ette parties"sv, "Brunch"sv, "Hotel rooms"sv,
                                "Other"sv};

const std::array<BudgetCategory, kCategoryCount> kCategories = {{
    // position, caption, field array, items, sheet row, scroll target, sample base,
    // frame top and height (twips)
    {0, "Apparel", "txtApparel", kApparel, 9, 0, 225, 0, 4950},
    {1, "Decorations", "txtDecorations", kDecorations, 24, std::nullopt, 155, 4950, 2955},
    {2, "Gifts", "txtGifts", kGifts, 34, 7756, 25, 7905, 2580},
    {3, "Flowers", "txtFlowers", kFlowers, 43, std::nullopt, 35, 10485, 2955},
    {4, "Music", "txtMusic", kMusic, 53, std::nullopt, 110, 13440, 1815},
    {5, "Photography", "txtPhotography", kPhotography, 60, 15240, 45, 15255, 2955},
    {6, "Reception (excludes music and decorations)", "txtReception", kReception, 70,
     std::nullopt, 60, 18210, 4170},
    {7, "Stationery/Printing", "txtStationery", kStationery, 83, 22396, 80, 22380, 4545},
    {8, "Transportation", "txtTransportation", kTransportation, 97, std::nullopt, 200, 26925,
     2220},
    {9, "Other Expenses", "txtOthers", kOthers, 106, 26600, 75, 29145, 4980},
}};

}  // namespace

const std::array<BudgetCategory, kCategoryCount>& BudgetCategories() { return kCategories; }

}  // namespace quillora
