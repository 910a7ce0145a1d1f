"""Random budgets for the generation sweep: amounts as a person may type them under en_US,
de_DE or fr_FR, with the exact value each text stands for.

A budget is a list of rows (category caption, item label, sheet row, estimated, actual);
each amount is (typed text, the exact value typed, the value kept). The entry window keeps
an accepted amount as currency text with two decimals, so the value kept is the typed one
rounded to cents as the currency formatter rounds: on the double's exact value, halves away
from zero. The forms are those the amount parser
accepts: grouping with the locale's separator (any blank where the locale groups with a
space), the currency symbol before or after with or without a blank, a sign before or
after, parentheses, U+2212, an exponent, a bare decimal separator at either end, blanks
around, values from zero up to just below the 1e13 limit.
"""
import csv
import io
import random
from decimal import ROUND_HALF_UP, Decimal

NBSP, NNBSP, THIN = "\u00a0", "\u202f", "\u2009"
MINUS = "\u2212"

# Captions, labels (as the window shows them) and first sheet rows of the ten categories.
CATEGORIES = [
    ("Apparel", 9, ["Engagement ring", "Wedding rings ", "Bridal gown", "Veil/headpiece", "Shoes",
                    "Jewelry", "Garter", "Hosiery", "Groom's tuxedo", "Groom's shoes", "Other"]),
    ("Decorations", 24, ["Bows for church pews/other seating", "Table centerpieces (excludes flowers)",
                         "Candles", "Lighting", "Balloons", "Other"]),
    ("Gifts", 34, ["Attendants", "Bride and groom", "Parents", "Readers/other participants", "Other"]),
    ("Flowers", 43, ["Bouquets", "Boutonni\u00e8res", "Corsages", "Ceremony", "Reception", "Other"]),
    ("Music", 53, ["Musicians for ceremony", "Band/DJ for reception", "Other"]),
    ("Photography", 60, ["Formals", "Candids", "Extra prints", "Photo albums", "Videography", "Other"]),
    ("Reception (excludes music and decorations)", 70,
     ["Room/hall fees", "Tables and chairs", "Food", "Drinks", "Linens", "Cake", "Favors",
      "Staff and gratuities", "Other"]),
    ("Stationery/Printing", 83, ["Invitations", "Announcements ", "Thank-You cards", "Personal stationery",
                                 "Guest book", "Programs", "Reception napkins", "Matchbooks",
                                 "Calligraphy", "Other"]),
    ("Transportation", 97, ["Limousines/trolleys", "Parking", "Taxis", "Other"]),
    ("Other Expenses", 106, ["Officiant", "Church/ceremony site fee", "Wedding coordinator",
                             "Rehearsal dinner", "Engagement party", "Showers", "Salon appointments",
                             "Bachelor/ette parties", "Brunch", "Hotel rooms", "Other"]),
]
GRAND_TOTAL_ROW = 4


def total_row(first_row, labels):
    return first_row + len(labels)


# Per locale: decimal separator, group separators a person may type, currency symbol.
LOCALES = {
    "en_US.UTF-8": (".", [","], "$"),
    "de_DE.UTF-8": (",", ["."], "\u20ac"),
    "fr_FR.UTF-8": (",", [" ", NBSP, NNBSP, THIN], "\u20ac"),
}
LIMIT_CENTS = 10 ** 15  # 1e13 in cents: amounts stay below it


def draw_value(rng, near_limit):
    """An exact amount: zero, cents, whole numbers, more decimals than cents, or (only when
    `near_limit`) just below the limit."""
    kind = rng.random()
    if 0.72 <= kind < 0.80 and not near_limit:
        kind = 0.9
    if kind < 0.10:
        return Decimal(0)
    if kind < 0.45:
        value = Decimal(rng.randrange(0, 2_000_000)) / 100
    elif kind < 0.60:
        value = Decimal(rng.randrange(0, 100_000))
    elif kind < 0.72:
        value = Decimal(rng.randrange(0, 10 ** 7)) / 10 ** rng.choice([3, 4])
    elif kind < 0.80:
        value = Decimal(rng.randrange(LIMIT_CENTS - 10 ** 6, LIMIT_CENTS)) / 100
    else:
        value = Decimal(rng.randrange(0, 10 ** rng.randrange(3, 15))) / 100
    return -value if rng.random() < 0.2 else value


def digits_with_groups(integer, group):
    text = str(integer)
    parts = []
    while len(text) > 3:
        parts.insert(0, text[-3:])
        text = text[:-3]
    parts.insert(0, text)
    return group.join(parts)


def number_text(rng, magnitude, decimal_sep, groups):
    """The unsigned number as typed: grouped or not, with the decimals it needs, or an exponent."""
    sign, digits, exponent = magnitude.as_tuple()
    if exponent < 0 and rng.random() < 0.08:
        # Mantissa and exponent: 1234.5 -> "12345e-1".
        mantissa = int("".join(map(str, digits)) or "0")
        return "%d%s%d" % (mantissa, rng.choice("eE"), exponent)
    integer = int(magnitude)
    fraction = magnitude - integer
    places = max(0, -exponent)
    if fraction == 0 and rng.random() < 0.5:
        places = 0
    if places == 0 and rng.random() < 0.3 and magnitude == integer:
        places = 2
    if fraction != 0:
        places = max(places, len(str(fraction).split(".")[1]))
    grouped = rng.random() < 0.5
    body = digits_with_groups(integer, rng.choice(groups)) if grouped else str(integer)
    if places:
        decimals = ("%0*d" % (places, int(fraction * 10 ** places)))
        if integer == 0 and rng.random() < 0.15:
            body = ""  # ",5" or ".5"
        body += decimal_sep + decimals
    elif rng.random() < 0.05:
        body += decimal_sep  # "5." is a whole number too
    return body


def amount_text(rng, value, locale):
    decimal_sep, groups, symbol = LOCALES[locale]
    body = number_text(rng, abs(value), decimal_sep, groups)
    blank = lambda: rng.choice(["", "", " ", NBSP])
    if rng.random() < 0.5:
        if rng.random() < 0.5:
            body = symbol + blank() + body
        else:
            body = body + blank() + symbol
    if value < 0 or (value == 0 and rng.random() < 0.05):
        form = rng.randrange(4)
        minus = rng.choice(["-", "-", MINUS])
        if form == 0:
            body = minus + body
        elif form == 1:
            body = body + minus
        elif form == 2:
            body = "(" + body + ")"
        else:
            body = minus + blank() + body
    elif rng.random() < 0.05:
        body = "+" + body
    if rng.random() < 0.1:
        body = rng.choice([" ", "\t", NBSP]) + body + rng.choice(["", " "])
    return body


def kept(value):
    """The value the window keeps for a typed amount: its double rounded to cents."""
    return Decimal(float(value)).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def budget(rng, locale, near_limit=False):
    """One budget: rows of (caption, label, sheet row, estimated, actual), each amount
    (typed text, exact value, value kept).
    With `near_limit`, about one amount in twelve lies just below 1e13."""
    rows = []
    for caption, first_row, labels in CATEGORIES:
        for k, label in enumerate(labels):
            pair = []
            for _ in range(2):
                value = draw_value(rng, near_limit)
                pair.append((amount_text(rng, value, locale), value, kept(value)))
            rows.append((caption, label, first_row + k, pair[0], pair[1]))
    return rows


def amounts_csv(rng, rows):
    """The budget as an amounts file: BOM or not, minimal or full quoting, rows in any order,
    a label's trailing blank kept or left out."""
    out = io.StringIO()
    writer = csv.writer(out, lineterminator=rng.choice(["\r\n", "\n"]),
                        quoting=rng.choice([csv.QUOTE_MINIMAL, csv.QUOTE_ALL]))
    writer.writerow(["category", "item", "estimated", "actual"])
    shuffled = list(rows)
    if rng.random() < 0.5:
        rng.shuffle(shuffled)
    for caption, label, _, estimated, actual in shuffled:
        if label.endswith(" ") and rng.random() < 0.5:
            label = label.rstrip()
        writer.writerow([caption, label, estimated[0], actual[0]])
    text = out.getvalue()
    return ("\ufeff" + text if rng.random() < 0.3 else text).encode("utf-8")


def expected_totals(rows):
    """Each category's total and the grand totals by (sheet row, column 1 or 2), as
    (exact sum, number of amounts added, sum of their magnitudes)."""
    totals = {}
    grand = [[Decimal(0), 0, Decimal(0)], [Decimal(0), 0, Decimal(0)]]
    for caption, first_row, labels in CATEGORIES:
        amounts = [[row[3][2] for row in rows if row[0] == caption],
                   [row[4][2] for row in rows if row[0] == caption]]
        for column in (0, 1):
            total = (sum(amounts[column], Decimal(0)), len(amounts[column]),
                     sum((abs(a) for a in amounts[column]), Decimal(0)))
            totals[(total_row(first_row, labels), column + 1)] = total
            grand[column] = [g + t for g, t in zip(grand[column], total)]
    for column in (0, 1):
        totals[(GRAND_TOTAL_ROW, column + 1)] = tuple(grand[column])
    return totals
