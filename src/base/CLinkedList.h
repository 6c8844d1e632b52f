// CLinkedList<T>: the library's one container, a doubly linked chain of nodes
// that each hold a copy of a plain payload. The list object is a single
// pointer (the anchor) so that it can sit by value in exported classes.
//
// The anchor may point at any node of the chain: swapping nodes relinks them
// without touching it. Whatever needs the first node walks back from the
// anchor and stores the first node there again ("rewinding"). Positions are
// zero-based and every positional access walks from the first node.
//
// The list owns its nodes, never what a payload points to.
#pragma once

#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "base/TextCompare.h"

template <typename T>
class CLinkedList {
    // Payloads are moved as bytes (copied in, swapped, handed back): they are
    // plain records whose own copy, if they declare one, copies the fields.

public:
    struct Node {
        Node* prev;
        Node* next;
        T data;
    };

    CLinkedList() : anchor(NULL) {}
    ~CLinkedList() { RemoveAll(); }

    Node* Append(const T& item)
    {
        Node* last = Last();
        Node* node = static_cast<Node*>(malloc(sizeof(Node)));
        memcpy(static_cast<void*>(&node->data), &item, sizeof(T));
        node->next = NULL;
        node->prev = last;
        if (last != NULL)
            last->next = node;
        else
            anchor = node;
        return node;
    }

    // The walk is bounded by the count taken first, so that a list appended
    // to itself doubles instead of chasing its own new tail.
    void AppendAll(CLinkedList<T>& other)
    {
        int count = other.GetCount();
        for (Node* node = other.Rewind(); node != NULL && count-- > 0; node = node->next)
            Append(node->data);
    }

    void RemoveAll()
    {
        Node* node = Rewind();
        while (node != NULL) {
            Node* next = node->next;
            free(node);
            node = next;
        }
        anchor = NULL;
    }

    T RemoveNode(Node* node)
    {
        Node* p = node->prev;
        Node* n = node->next;
        if (p != NULL)
            p->next = n;
        if (n != NULL)
            n->prev = p;
        if (anchor == node)
            anchor = p != NULL ? p : n;
        T data;
        memcpy(static_cast<void*>(&data), &node->data, sizeof(T));
        free(node);
        return data;
    }

    int GetCount()
    {
        int count = 0;
        for (Node* node = Rewind(); node != NULL; node = node->next)
            ++count;
        return count;
    }

    Node* GetNode(int index)
    {
        if (anchor == NULL || index < 0)
            return NULL;
        Node* node = Rewind();
        while (node != NULL && index-- > 0)
            node = node->next;
        return node;
    }

    // Only for 0 <= index < GetCount().
    T* GetAt(int index) { return &GetNode(index)->data; }

    // relink false exchanges the payloads; true exchanges the nodes' places
    // in the chain and leaves each payload in its node.
    void SwapNodes(Node* a, Node* b, bool relink)
    {
        if (a == NULL || b == NULL || a == b)
            return;
        if (!relink) {
            T data;
            memcpy(static_cast<void*>(&data), &a->data, sizeof(T));
            memcpy(static_cast<void*>(&a->data), &b->data, sizeof(T));
            memcpy(static_cast<void*>(&b->data), &data, sizeof(T));
            return;
        }
        Node* ap = a->prev;
        Node* an = a->next;
        Node* bp = b->prev;
        Node* bn = b->next;
        if (an == b) {
            Link(ap, b);
            Link(a, bn);
            Link(b, a);
        } else if (ap == b) {
            Link(bp, a);
            Link(b, an);
            Link(a, b);
        } else {
            Link(ap, b);
            Link(bp, a);
            Link(b, an);
            Link(a, bn);
        }
    }

    // Quicksort of positions lo..hi by the char* name at the start of each
    // payload, case-insensitive; not stable. A parallel list has its elements
    // at the same positions swapped alongside.
    void Sort(int lo, int hi, bool ascending, bool relink, CLinkedList<T>* parallel)
    {
        while (lo < hi) {
            const char* key = Name((lo + hi) / 2);
            int i = lo;
            int j = hi;
            do {
                if (ascending) {
                    while (CompareTextNoCase(Name(i), key) < 0 && i < hi)
                        ++i;
                    while (CompareTextNoCase(Name(j), key) > 0 && j > lo)
                        --j;
                } else {
                    while (CompareTextNoCase(Name(i), key) > 0 && i < hi)
                        ++i;
                    while (CompareTextNoCase(Name(j), key) < 0 && j > lo)
                        --j;
                }
                if (i > j)
                    break;
                if (i < j) {
                    SwapNodes(GetNode(i), GetNode(j), relink);
                    if (parallel != NULL)
                        parallel->SwapNodes(parallel->GetNode(i), parallel->GetNode(j), relink);
                }
                ++i;
                --j;
            } while (i <= j);
            if (i < hi)
                Sort(i, hi, ascending, relink, parallel);
            if (lo >= j)
                break;
            hi = j;
        }
    }

    Node* anchor;

protected:
    Node* Rewind()
    {
        if (anchor != NULL) {
            while (anchor->prev != NULL)
                anchor = anchor->prev;
        }
        return anchor;
    }

    Node* Last() const
    {
        Node* node = anchor;
        if (node != NULL) {
            while (node->next != NULL)
                node = node->next;
        }
        return node;
    }

    static void Link(Node* first, Node* second)
    {
        if (first != NULL)
            first->next = second;
        if (second != NULL)
            second->prev = first;
    }

    const char* Name(int index)
    {
        const char* name;
        memcpy(&name, &GetNode(index)->data, sizeof(name));
        return name;
    }
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CLinkedList<int>) == 4, "a list is its anchor alone");
#endif
