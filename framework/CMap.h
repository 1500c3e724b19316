#pragma once
// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash map whose pairs are visited through POSITION.
//
// Keys are hashed with HashKey(ARG_KEY) and compared with ==; both can be provided for new key
// types by overloading HashKey. Iteration order is the order of the hash buckets, which is stable
// as long as the map is not changed. Like CList, nodes come from blocks owned by the map.
#include "framework/CException.h"
#include "framework/CString.h"
#include "framework/Position.h"
#include <cstdint>
#include <new>
#include <type_traits>

// Hash of an integral or pointer key.
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    static_assert(std::is_integral<ARG_KEY>::value || std::is_pointer<ARG_KEY>::value ||
                      std::is_enum<ARG_KEY>::value,
                  "provide a HashKey overload for this key type");
    auto v = static_cast<uint64_t>((uintptr_t)(key));
    return static_cast<UINT>((v >> 4) ^ (v >> 32));
}
// Text keys hash their characters; a null text hashes like an empty one.
UINT HashKey(LPCWSTR key);
UINT HashKey(LPCSTR key);
inline UINT HashKey(const CStringW& key) { return HashKey(key.GetString()); }
inline UINT HashKey(const CStringA& key) { return HashKey(key.GetString()); }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap {
public:
    // One pair of the map, as PLookup hands it out.
    struct CPair {
        const KEY key;
        VALUE value;
    protected:
        CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

private:
    struct CAssoc : CPair {
        CAssoc(ARG_KEY k) : CPair(k) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
        const CMap* pOwner = nullptr;
    };
    union CSlot {
        CSlot* pNextFree;
        alignas(CAssoc) unsigned char raw[sizeof(CAssoc)];
    };
    struct CBlock {
        CBlock* pNext;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    virtual ~CMap() { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Copies the value of key into rValue; FALSE (rValue untouched) when the key is absent.
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT bucket, hash;
        CAssoc* assoc = GetAssocAt(key, bucket, hash);
        if (!assoc)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    // The pair of key, or nullptr; the pair stays valid until it is removed.
    CPair* PLookup(ARG_KEY key)
    {
        UINT bucket, hash;
        return GetAssocAt(key, bucket, hash);
    }
    const CPair* PLookup(ARG_KEY key) const
    {
        UINT bucket, hash;
        return GetAssocAt(key, bucket, hash);
    }

    // The value of key, added with a default value when the key is absent.
    VALUE& operator[](ARG_KEY key)
    {
        UINT bucket, hash;
        CAssoc* assoc = GetAssocAt(key, bucket, hash);
        if (!assoc) {
            if (!m_pHashTable)
                InitHashTable(m_nHashTableSize);
            assoc = NewAssoc(key);
            assoc->nHashValue = hash;
            assoc->pNext = m_pHashTable[bucket];
            m_pHashTable[bucket] = assoc;
        }
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    // Removes the pair of key; FALSE when there was none.
    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        UINT hash = HashKey(key);
        CAssoc** link = &m_pHashTable[hash % m_nHashTableSize];
        for (CAssoc* assoc = *link; assoc; link = &assoc->pNext, assoc = *link) {
            if (assoc->nHashValue == hash && assoc->key == key) {
                *link = assoc->pNext;
                FreeAssoc(assoc);
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable) {
            for (UINT i = 0; i < m_nHashTableSize; ++i)
                for (CAssoc* assoc = m_pHashTable[i]; assoc;) {
                    CAssoc* next = assoc->pNext;
                    assoc->~CAssoc();
                    assoc = next;
                }
            delete[] m_pHashTable;
            m_pHashTable = nullptr;
        }
        while (m_pBlocks) {
            CBlock* next = m_pBlocks->pNext;
            ::operator delete(m_pBlocks);
            m_pBlocks = next;
        }
        m_pFree = nullptr;
        m_nCount = 0;
    }

    // Iteration: GetStartPosition gives the first pair (nullptr for an empty map); GetNextAssoc
    // fills key and value and moves the position on, to nullptr after the last pair.
    POSITION GetStartPosition() const
    {
        return m_nCount == 0 ? nullptr : reinterpret_cast<POSITION>(FirstFrom(0));
    }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* assoc = Assoc(rNextPosition);
        rKey = assoc->key;
        rValue = assoc->value;
        CAssoc* next = assoc->pNext ? assoc->pNext : FirstFrom(assoc->nHashValue % m_nHashTableSize + 1);
        rNextPosition = reinterpret_cast<POSITION>(next);
    }

    // Sets the bucket count; only takes effect while the map is empty (as a size hint).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || hashSize == 0)
            return;
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
        m_nHashTableSize = hashSize;
        if (bAllocNow)
            m_pHashTable = new CAssoc*[hashSize]();
    }

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& bucket, UINT& hash) const
    {
        hash = HashKey(key);
        bucket = hash % m_nHashTableSize;
        if (!m_pHashTable)
            return nullptr;
        for (CAssoc* assoc = m_pHashTable[bucket]; assoc; assoc = assoc->pNext)
            if (assoc->nHashValue == hash && assoc->key == key)
                return assoc;
        return nullptr;
    }
    CAssoc* FirstFrom(UINT bucket) const
    {
        for (; m_pHashTable && bucket < m_nHashTableSize; ++bucket)
            if (m_pHashTable[bucket])
                return m_pHashTable[bucket];
        return nullptr;
    }
    CAssoc* Assoc(POSITION position) const
    {
        auto assoc = reinterpret_cast<CAssoc*>(position);
        if (!assoc || position == BEFORE_START_POSITION || assoc->pOwner != this)
            AfxThrowInvalidArgException();
        return assoc;
    }
    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (!m_pFree) {
            size_t size = sizeof(CBlock) + sizeof(CSlot) * static_cast<size_t>(m_nBlockSize) + alignof(CSlot);
            auto block = static_cast<CBlock*>(::operator new(size));
            block->pNext = m_pBlocks;
            m_pBlocks = block;
            auto raw = reinterpret_cast<uintptr_t>(block + 1);
            raw = (raw + alignof(CSlot) - 1) & ~(static_cast<uintptr_t>(alignof(CSlot)) - 1);
            auto slots = reinterpret_cast<CSlot*>(raw);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                slots[i].pNextFree = m_pFree;
                m_pFree = &slots[i];
            }
        }
        CSlot* slot = m_pFree;
        CSlot* nextFree = slot->pNextFree;
        auto assoc = new (slot->raw) CAssoc(key); // may throw: the slot stays free
        m_pFree = nextFree;
        assoc->pOwner = this;
        ++m_nCount;
        return assoc;
    }
    void FreeAssoc(CAssoc* assoc)
    {
        // The owner field is cleared first and outlives the destructor (nothing overwrites it
        // while the slot is free), so that a stale position is recognised.
        assoc->pOwner = nullptr;
        assoc->~CAssoc();
        auto slot = reinterpret_cast<CSlot*>(assoc);
        slot->pNextFree = m_pFree;
        m_pFree = slot;
        --m_nCount;
    }

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CSlot* m_pFree = nullptr;
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};
