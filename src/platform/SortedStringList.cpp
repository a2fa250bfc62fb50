#include "platform/SortedStringList.h"

#include "platform/Cp1252.h"

#include <QCollator>
#include <QLocale>

namespace exo {

namespace {
const QCollator& SpanishCollator() {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}
} // namespace

int CollateCompare(std::string_view a, std::string_view b) {
    const int c = SpanishCollator().compare(QStringFromCp1252(a), QStringFromCp1252(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool SortedStringList::find(std::string_view item, std::size_t& index) const {
    std::size_t low = 0;
    std::size_t high = items_.size();
    bool found = false;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int c = CollateCompare(items_[middle], item);
        if (c < 0) {
            low = middle + 1;
        } else {
            if (c == 0)
                found = true;
            high = middle;
        }
    }
    index = low;
    return found;
}

std::size_t SortedStringList::add(std::string item) {
    std::size_t index = 0;
    find(item, index);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    return index;
}

void SortedStringList::removeAt(std::size_t index) {
    if (index < items_.size())
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace exo
