#include "platform/qt/PaperSizes.h"

namespace tagloom {

namespace {

struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};

constexpr PaperCode kPaperCodes[] = {
    {1, QPageSize::Letter},    {3, QPageSize::Tabloid},  {4, QPageSize::Ledger},
    {5, QPageSize::Legal},     {6, QPageSize::Statement}, {7, QPageSize::Executive},
    {8, QPageSize::A3},        {9, QPageSize::A4},       {11, QPageSize::A5},
    {12, QPageSize::B4},       {13, QPageSize::B5},      {14, QPageSize::Folio},
    {19, QPageSize::Envelope9}, {20, QPageSize::Comm10E}, {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5}, {31, QPageSize::EnvelopeC6}, {34, QPageSize::EnvelopeB5},
    {37, QPageSize::EnvelopeMonarch}, {66, QPageSize::A2},  {70, QPageSize::A6},
};

}  // namespace

QPageSize::PageSizeId pageSizeOf(int paperCode) {
    for (const auto& paper : kPaperCodes)
        if (paper.code == paperCode) return paper.id;
    return QPageSize::Letter;
}

int paperCodeOf(QPageSize::PageSizeId id, int fallback) {
    for (const auto& paper : kPaperCodes)
        if (paper.id == id) return paper.code;
    return fallback;
}

}  // namespace tagloom
