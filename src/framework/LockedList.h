#pragma once
// The program's own ordered container: a doubly linked list between a head and a tail
// sentinel that owns the items it holds. A cursor remembers the node of the last access,
// so walking the indexes upwards or downwards costs one step per access. Every operation
// takes the list's own lock.
#include <cstddef>
#include <iterator>
#include <mutex>

template <typename T>
class LockedList {
    struct Node {
        T* item = nullptr;
        Node* prev = nullptr;
        Node* next = nullptr;
    };

public:
    LockedList() {
        head_.next = &tail_;
        tail_.prev = &head_;
    }
    ~LockedList() { Clear(true); }
    LockedList(const LockedList&) = delete;
    LockedList& operator=(const LockedList&) = delete;

    // Inserts item before position index; a negative index or one not below the count appends.
    // With refuseDuplicates an item that is already in the list is not added (returns false).
    bool Add(T* item, int index = -1, bool refuseDuplicates = false) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (refuseDuplicates && FindNode(item) != nullptr) return false;
        Node* before = (index < 0 || index >= count_) ? &tail_ : NodeAt(index);
        Node* node = new Node{item, before->prev, before};
        before->prev->next = node;
        before->prev = node;
        ++count_;
        ResetCursor();
        return true;
    }

    // The item at index, or nullptr when index is not below the count.
    T* Get(int index) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (index < 0 || index >= count_) return nullptr;
        return NodeAt(index)->item;
    }

    // Removes the item at index (deleting it when deleteItem is set). Returns the item when it
    // was only unlinked, nullptr otherwise.
    T* RemoveAt(int index, bool deleteItem = true) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (index < 0 || index >= count_) return nullptr;
        return Unlink(NodeAt(index), deleteItem);
    }

    // Removes the given item (first occurrence); true when it was in the list.
    bool Remove(T* item, bool deleteItem = true) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        Node* node = FindNode(item);
        if (node == nullptr) return false;
        Unlink(node, deleteItem);
        return true;
    }

    int Count() const {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        return count_;
    }
    bool Empty() const { return Count() == 0; }

    bool Contains(const T* item) const {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        return const_cast<LockedList*>(this)->FindNode(item) != nullptr;
    }

    // Index of the item, or -1.
    int IndexOf(const T* item) const {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        int i = 0;
        for (const Node* n = head_.next; n != &tail_; n = n->next, ++i)
            if (n->item == item) return i;
        return -1;
    }

    void Clear(bool deleteItems = true) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        Node* n = head_.next;
        while (n != &tail_) {
            Node* next = n->next;
            if (deleteItems) delete n->item;
            delete n;
            n = next;
        }
        head_.next = &tail_;
        tail_.prev = &head_;
        count_ = 0;
        ResetCursor();
    }

    // How many node steps index accesses have taken so far (for tests of the cursor).
    long Steps() const { return steps_; }

    // Range-for over the items, in list order. The list must not change while it is walked.
    class Iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T**;
        using reference = T*;
        explicit Iterator(Node* n) : node_(n) {}
        T* operator*() const { return node_->item; }
        Iterator& operator++() { node_ = node_->next; return *this; }
        Iterator operator++(int) { Iterator t = *this; node_ = node_->next; return t; }
        Iterator& operator--() { node_ = node_->prev; return *this; }
        bool operator==(const Iterator& o) const { return node_ == o.node_; }
        bool operator!=(const Iterator& o) const { return node_ != o.node_; }
    private:
        Node* node_;
    };
    Iterator begin() { return Iterator(head_.next); }
    Iterator end() { return Iterator(&tail_); }

private:
    void ResetCursor() {
        cursorIndex_ = -1;
        cursorNode_ = &head_;
    }

    // Moves the cursor forward or backward from where it stands to index (0 <= index < count_).
    Node* NodeAt(int index) {
        while (cursorIndex_ < index) {
            cursorNode_ = cursorNode_->next;
            ++cursorIndex_;
            ++steps_;
        }
        while (cursorIndex_ > index) {
            cursorNode_ = cursorNode_->prev;
            --cursorIndex_;
            ++steps_;
        }
        return cursorNode_;
    }

    Node* FindNode(const T* item) {
        for (Node* n = head_.next; n != &tail_; n = n->next)
            if (n->item == item) return n;
        return nullptr;
    }

    T* Unlink(Node* node, bool deleteItem) {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        T* item = node->item;
        delete node;
        --count_;
        ResetCursor();
        if (deleteItem) {
            delete item;
            return nullptr;
        }
        return item;
    }

    Node head_;
    Node tail_;
    int count_ = 0;
    int cursorIndex_ = -1;
    Node* cursorNode_ = &head_;
    long steps_ = 0;
    mutable std::recursive_mutex mutex_;
};
