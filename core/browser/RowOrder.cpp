#include "core/browser/RowOrder.h"

#include "core/browser/ItemTexts.h"
#include "core/text/KvText.h"

namespace {

template <class Number>
int Order(Number a, Number b)
{
    if (a < b) return -1;
    return b < a ? 1 : 0;
}

int Sign(int value)
{
    return Order(value, 0);
}

}  // namespace

int CompareTexts(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    bool trail = false;  // both sides stand on a second byte: equal so far
    for (;; ++x, ++y) {
        unsigned cx = *x, cy = *y;
        if (!trail) {
            if (cx >= 'A' && cx <= 'Z') cx += 'a' - 'A';
            if (cy >= 'A' && cy <= 'Z') cy += 'a' - 'A';
        }
        if (cx != cy) return Order(cx, cy);
        if (cx == 0) return 0;
        trail = !trail && KvText::IsLeadByte(static_cast<unsigned char>(cx));
    }
}

void RowOrder::Arrange(int column)
{
    if (column < kName || column >= kColumns) return;
    column_ = column;
    descending_ = false;
}

void RowOrder::Click(int column)
{
    if (column < kName || column >= kColumns) return;
    descending_ = column == column_ && !descending_;
    column_ = column;
}

int RowOrder::Compare(const RowKeys& a, const RowKeys& b, int nameOrder) const
{
    const int kinds = CompareKinds(a.kind, b.kind);
    if (kinds != 0 || column_ == kByKind) return kinds;
    int order = 0;
    switch (column_) {
    case kSize: order = Order(a.size, b.size); break;
    case kType: order = CompareTexts(a.type, b.type); break;
    case kModified: order = Order(a.time, b.time); break;
    case kFormat: order = Order(a.format, b.format); break;
    case kSequenceName: order = CompareTexts(a.sequenceName, b.sequenceName); break;
    case kCopyright: order = CompareTexts(a.copyright, b.copyright); break;
    default: break;
    }
    if (order == 0) order = Sign(nameOrder);
    return descending_ ? -order : order;
}
