#pragma once
// CList<TYPE, ARG_TYPE>: a doubly linked list addressed by POSITION.
//
// Nodes come from blocks of nBlockSize nodes owned by the list; a removed node goes back to the
// list's free chain and its block stays allocated until RemoveAll or destruction. Every node
// records which list it belongs to, so a position that is null, belongs to another list or was
// removed is caught and throws the framework's invalid-argument exception instead of corrupting
// memory. (A position kept across RemoveAll or the list's destruction is still a caller bug.)
#include "framework/CException.h"
#include "framework/Position.h"
#include <cstdint>
#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        const CList* pOwner; // nullptr while the node is free
        alignas(TYPE) unsigned char data[sizeof(TYPE)];
        TYPE& Value() { return *reinterpret_cast<TYPE*>(data); }
    };
    struct CBlock {
        CBlock* pNext;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    virtual ~CList() { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail; on an empty list these throw.
    TYPE& GetHead() { return NonEmpty(m_pHead)->Value(); }
    const TYPE& GetHead() const { return NonEmpty(m_pHead)->Value(); }
    TYPE& GetTail() { return NonEmpty(m_pTail)->Value(); }
    const TYPE& GetTail() const { return NonEmpty(m_pTail)->Value(); }

    // Removes the first (last) element and returns it; throws on an empty list.
    TYPE RemoveHead()
    {
        CNode* node = NonEmpty(m_pHead);
        TYPE value(std::move(node->Value()));
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = NonEmpty(m_pTail);
        TYPE value(std::move(node->Value()));
        Unlink(node);
        return value;
    }

    // Adding; each returns the new element's position.
    POSITION AddHead(ARG_TYPE newElement) { return ToPos(Link(NewNode(newElement), nullptr, m_pHead)); }
    POSITION AddTail(ARG_TYPE newElement) { return ToPos(Link(NewNode(newElement), m_pTail, nullptr)); }
    // Adds copies of every element of pNewList (which may be this list) at the head (in order) or tail.
    void AddHead(const CList* pNewList)
    {
        if (!pNewList)
            AfxThrowInvalidArgException();
        INT_PTR n = pNewList->m_nCount;
        CNode* node = pNewList->m_pTail;
        for (INT_PTR i = 0; i < n; ++i, node = node->pPrev)
            AddHead(node->Value());
    }
    void AddTail(const CList* pNewList)
    {
        if (!pNewList)
            AfxThrowInvalidArgException();
        INT_PTR n = pNewList->m_nCount;
        CNode* node = pNewList->m_pHead;
        for (INT_PTR i = 0; i < n; ++i, node = node->pNext)
            AddTail(node->Value());
    }

    void RemoveAll()
    {
        for (CNode* node = m_pHead; node; node = node->pNext)
            node->Value().~TYPE();
        while (m_pBlocks) {
            CBlock* next = m_pBlocks->pNext;
            ::operator delete(m_pBlocks);
            m_pBlocks = next;
        }
        m_pHead = m_pTail = m_pFree = nullptr;
        m_nCount = 0;
    }

    // Iteration: pos moves to the next (previous) element, or becomes nullptr at the end.
    POSITION GetHeadPosition() const { return ToPos(m_pHead); }
    POSITION GetTailPosition() const { return ToPos(m_pTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = ToPos(node->pNext);
        return node->Value();
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* node = Node(rPosition);
        rPosition = ToPos(node->pNext);
        return node->Value();
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = ToPos(node->pPrev);
        return node->Value();
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* node = Node(rPosition);
        rPosition = ToPos(node->pPrev);
        return node->Value();
    }

    // Access by position; a position not of this list throws.
    TYPE& GetAt(POSITION position) { return Node(position)->Value(); }
    const TYPE& GetAt(POSITION position) const { return Node(position)->Value(); }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->Value() = newElement; }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }
    // TRUE when the position names a live element of this list. Positions of removed elements
    // and of other lists answer FALSE.
    BOOL IsValidPosition(POSITION position) const
    {
        auto node = reinterpret_cast<CNode*>(position);
        if (!node || position == BEFORE_START_POSITION)
            return FALSE;
        // Walk rather than trust the node: the position may come from another list whose
        // memory is gone.
        for (CNode* p = m_pHead; p; p = p->pNext)
            if (p == node)
                return TRUE;
        return FALSE;
    }

    // Insert before or after a position; a null position means the head (before) or tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddHead(newElement);
        CNode* next = Node(position);
        return ToPos(Link(NewNode(newElement), next->pPrev, next));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddTail(newElement);
        CNode* prev = Node(position);
        return ToPos(Link(NewNode(newElement), prev, prev->pNext));
    }

    // The first element equal to searchValue after startAfter (from the head when null);
    // nullptr when there is none.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? Node(startAfter)->pNext : m_pHead;
        for (; node; node = node->pNext)
            if (node->Value() == searchValue)
                return ToPos(node);
        return nullptr;
    }
    // The position of the nIndex-th element (from 0), or nullptr when the index is out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return ToPos(node);
    }

private:
    static POSITION ToPos(CNode* node) { return reinterpret_cast<POSITION>(node); }

    CNode* Node(POSITION position) const
    {
        auto node = reinterpret_cast<CNode*>(position);
        if (!node || position == BEFORE_START_POSITION || node->pOwner != this)
            AfxThrowInvalidArgException();
        return node;
    }
    static CNode* NonEmpty(CNode* node)
    {
        if (!node)
            AfxThrowInvalidArgException();
        return node;
    }

    CNode* NewNode(ARG_TYPE value)
    {
        if (!m_pFree) {
            size_t size = sizeof(CBlock) + sizeof(CNode) * static_cast<size_t>(m_nBlockSize);
            auto block = static_cast<CBlock*>(::operator new(size + alignof(CNode)));
            block->pNext = m_pBlocks;
            m_pBlocks = block;
            auto raw = reinterpret_cast<uintptr_t>(block + 1);
            raw = (raw + alignof(CNode) - 1) & ~(static_cast<uintptr_t>(alignof(CNode)) - 1);
            auto nodes = reinterpret_cast<CNode*>(raw);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                nodes[i].pOwner = nullptr;
                nodes[i].pNext = m_pFree;
                m_pFree = &nodes[i];
            }
        }
        CNode* node = m_pFree;
        new (node->data) TYPE(value); // may throw: the node then stays free
        m_pFree = node->pNext;
        node->pOwner = this;
        return node;
    }
    CNode* Link(CNode* node, CNode* prev, CNode* next)
    {
        node->pPrev = prev;
        node->pNext = next;
        (prev ? prev->pNext : m_pHead) = node;
        (next ? next->pPrev : m_pTail) = node;
        ++m_nCount;
        return node;
    }
    void Unlink(CNode* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node->pPrev;
        --m_nCount;
        node->Value().~TYPE();
        node->pOwner = nullptr;
        node->pNext = m_pFree;
        m_pFree = node;
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    CNode* m_pFree = nullptr;
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};
