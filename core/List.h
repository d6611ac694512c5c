#pragma once
// List: an owning doubly linked list. Each node holds the previous and the next node and its
// element; nodes stay where they are until removed, so a node pointer stays valid while other
// nodes come and go.
//
// Iterate with the nodes (Head() / Next(), Tail() / Previous()); to remove the current node
// while walking, take its Next() first. Range-for visits the elements head to tail.
//
// List<Bucket<V, K>> is not a list but the hash map of core/Bucket.h.

#include <utility>

template <typename T>
class List {
public:
    class Node {
    public:
        Node* Next() const { return next_; }
        Node* Previous() const { return previous_; }
        T& Value() { return value_; }
        const T& Value() const { return value_; }

    private:
        friend class List;
        template <typename V>
        explicit Node(V&& value) : value_(std::forward<V>(value)) {}

        Node* previous_ = nullptr;
        Node* next_ = nullptr;
        T value_;
    };

    class Iterator {
    public:
        explicit Iterator(Node* node) : node_(node) {}
        T& operator*() const { return node_->Value(); }
        Iterator& operator++()
        {
            node_ = node_->Next();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        Node* node_;
    };

    class ConstIterator {
    public:
        explicit ConstIterator(const Node* node) : node_(node) {}
        const T& operator*() const { return node_->Value(); }
        ConstIterator& operator++()
        {
            node_ = node_->Next();
            return *this;
        }
        bool operator!=(const ConstIterator& other) const { return node_ != other.node_; }

    private:
        const Node* node_;
    };

    List() {}
    List(const List& other) { copyFrom(other); }
    List(List&& other) noexcept { take(other); }
    ~List() { Clear(); }
    List& operator=(const List& other)
    {
        if (this != &other) {
            Clear();
            copyFrom(other);
        }
        return *this;
    }
    List& operator=(List&& other) noexcept
    {
        if (this != &other) {
            Clear();
            take(other);
        }
        return *this;
    }

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ < 1; }
    // First / last node; null when the list is empty.
    Node* Head() const { return head_; }
    Node* Tail() const { return tail_; }

    // Links a new node holding a copy of value (or value itself, moved) behind the tail /
    // before the head; returns it.
    Node* PushBack(const T& value) { return linkBack(new Node(value)); }
    Node* PushBack(T&& value) { return linkBack(new Node(std::move(value))); }
    Node* PushFront(const T& value) { return linkFront(new Node(value)); }
    Node* PushFront(T&& value) { return linkFront(new Node(std::move(value))); }

    // Unlinks node, which must be a node of this list (null is ignored), and destroys it with
    // its element.
    void Remove(Node* node)
    {
        if (!node)
            return;
        if (node->previous_)
            node->previous_->next_ = node->next_;
        else
            head_ = node->next_;
        if (node->next_)
            node->next_->previous_ = node->previous_;
        else
            tail_ = node->previous_;
        --count_;
        delete node;
    }
    // Destroys every node, head first.
    void Clear()
    {
        Node* node = head_;
        while (node) {
            Node* next = node->next_;
            delete node;
            node = next;
        }
        head_ = tail_ = nullptr;
        count_ = 0;
    }

    Iterator begin() { return Iterator(head_); }
    Iterator end() { return Iterator(nullptr); }
    ConstIterator begin() const { return ConstIterator(head_); }
    ConstIterator end() const { return ConstIterator(nullptr); }

private:
    Node* linkBack(Node* node)
    {
        node->previous_ = tail_;
        if (tail_)
            tail_->next_ = node;
        else
            head_ = node;
        tail_ = node;
        ++count_;
        return node;
    }
    Node* linkFront(Node* node)
    {
        node->next_ = head_;
        if (head_)
            head_->previous_ = node;
        else
            tail_ = node;
        head_ = node;
        ++count_;
        return node;
    }
    void copyFrom(const List& other)
    {
        for (const Node* node = other.head_; node; node = node->next_)
            PushBack(node->value_);
    }
    void take(List& other)
    {
        head_ = other.head_;
        tail_ = other.tail_;
        count_ = other.count_;
        other.head_ = other.tail_ = nullptr;
        other.count_ = 0;
    }

    int count_ = 0;
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
};
