#pragma once
#include "app/registry/ASRegistryError.h"

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
    Entry Item(const QVariant &vntIndexKey) const { return m_slots[indexOf(vntIndexKey)].item; }
    qint32 Count() const { return static_cast<qint32>(m_slots.size()); }
    void Remove(const QVariant &vntIndexKey)
    {
        m_slots.erase(m_slots.begin() + indexOf(vntIndexKey));
    }

    // Walks the items in order, yielding each Entry.
    class const_iterator {
    public:
        explicit const_iterator(typename std::vector<Slot>::const_iterator at) : m_at(at) {}
        const Entry &operator*() const { return m_at->item; }
        const_iterator &operator++()
        {
            ++m_at;
            return *this;
        }
        bool operator==(const const_iterator &other) const = default;

    private:
        typename std::vector<Slot>::const_iterator m_at;
    };
    const_iterator begin() const { return const_iterator(m_slots.begin()); }
    const_iterator end() const { return const_iterator(m_slots.end()); }

protected:
    // Adds `item` under `key` unless the key is empty.
    Entry insert(const Entry &item, const QString &key)
    {
        if (!key.isEmpty() && indexOfKey(key) >= 0)
            throw ASRegistryError(ASRegistryError::DuplicateKey,
                                  "This key is already associated with an element of this "
                                  "collection");
        m_slots.push_back({item, key});
        return item;
    }

private:
    long indexOfKey(const QString &key) const
    {
        for (std::size_t at = 0; at < m_slots.size(); ++at)
            if (!m_slots[at].key.isEmpty() &&
                m_slots[at].key.compare(key, Qt::CaseInsensitive) == 0)
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
        if (!(position >= 1 && position <= static_cast<double>(m_slots.size())))
            throw ASRegistryError(ASRegistryError::SubscriptOutOfRange,
                                  "No item at position " + QString::number(position));
        return static_cast<std::size_t>(position) - 1;
    }

    std::vector<Slot> m_slots;
};
