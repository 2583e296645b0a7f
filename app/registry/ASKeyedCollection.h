#pragma once
#include "ASRegistryError.h"

#include <QString>
#include <QVariant>

#include <cmath>
#include <memory>
#include <vector>

// A general-purpose keyed collection: items in the order they were added, each with an optional
// text key that is unique without regard to letter case. Items are found by their 1-based
// position (any number) or by their key (a text); an unknown one raises ASRegistryError.
// The registry collections derive from it and add their own `Add`.
template <typename ItemType>
class ASKeyedCollection {
public:
    using Entry = std::shared_ptr<ItemType>;

private:
    struct Slot {
        Entry item;
        QString key;
    };

public:
    // The item at a 1-based position or under a collection key.
    Entry Item(const QVariant &vntIndexKey) const { return slots_[indexOf(vntIndexKey)].item; }
    qint32 Count() const { return static_cast<qint32>(slots_.size()); }
    void Remove(const QVariant &vntIndexKey) { slots_.erase(slots_.begin() + indexOf(vntIndexKey)); }

    // Walks the items in order, yielding each Entry.
    class const_iterator {
    public:
        explicit const_iterator(typename std::vector<Slot>::const_iterator at) : at_(at) {}
        const Entry &operator*() const { return at_->item; }
        const_iterator &operator++()
        {
            ++at_;
            return *this;
        }
        bool operator==(const const_iterator &other) const = default;

    private:
        typename std::vector<Slot>::const_iterator at_;
    };
    const_iterator begin() const { return const_iterator(slots_.begin()); }
    const_iterator end() const { return const_iterator(slots_.end()); }

protected:
    // Adds `item` under `key` unless the key is empty.
    Entry insert(const Entry &item, const QString &key)
    {
        if (!key.isEmpty() && indexOfKey(key) >= 0)
            throw ASRegistryError(ASRegistryError::DuplicateKey,
                                  "This key is already associated with an element of this "
                                  "collection");
        slots_.push_back({item, key});
        return item;
    }

private:
    long indexOfKey(const QString &key) const
    {
        for (std::size_t at = 0; at < slots_.size(); ++at)
            if (!slots_[at].key.isEmpty() &&
                slots_[at].key.compare(key, Qt::CaseInsensitive) == 0)
                return static_cast<long>(at);
        return -1;
    }

    std::size_t indexOf(const QVariant &indexKey) const
    {
        if (indexKey.typeId() == QMetaType::QString) {
            const long at = indexOfKey(indexKey.toString());
            if (at < 0)
                throw ASRegistryError(ASRegistryError::InvalidArgument,
                                      "No item has the key \"" + indexKey.toString() + "\"");
            return static_cast<std::size_t>(at);
        }
        bool numeric = false;
        const double position = std::nearbyint(indexKey.toDouble(&numeric));
        if (!numeric || indexKey.typeId() == QMetaType::Bool)
            throw ASRegistryError(ASRegistryError::TypeMismatch,
                                  "An item is chosen by its position or its key");
        if (!(position >= 1 && position <= static_cast<double>(slots_.size())))
            throw ASRegistryError(ASRegistryError::SubscriptOutOfRange,
                                  "No item at position " + QString::number(position));
        return static_cast<std::size_t>(position) - 1;
    }

    std::vector<Slot> slots_;
};
