// CircularList: the queues of the deferred-procedure dispatcher and of the socket. A circular doubly linked
// list of nodes with a count: the head is the oldest entry and the head's predecessor the newest, so
// appending and taking the oldest are both constant time.
//
//     struct Work : ListNode { int value; };
//     CircularList<Work> queue;
//     queue.PushBack(new Work{...});
//     while (Work* oldest = queue.PopFront())
//         delete oldest;
//
// The list owns nothing: whoever pops a node deletes it.
#pragma once

namespace pardalin::detail
{
struct ListNode
{
    ListNode* next = nullptr;
    ListNode* previous = nullptr;
};

// T derives from ListNode.
template <class T> class CircularList
{
public:
    // Construction
    CircularList() = default;
    CircularList(const CircularList&) = delete;
    CircularList& operator=(const CircularList&) = delete;

    // Attributes
    bool IsEmpty() const { return head == nullptr; }
    unsigned long GetCount() const { return count; }
    // The oldest entry, left in place; null when the list is empty.
    T* Front() const { return static_cast<T*>(head); }

    // Operations
    void PushBack(T* entry)
    {
        ListNode* node = entry;
        if (!head)
        {
            node->next = node->previous = node;
            head = node;
        }
        else
        {
            node->next = head;
            node->previous = head->previous;
            head->previous->next = node;
            head->previous = node;
        }
        ++count;
    }

    // Unlinks and returns the oldest entry; null when the list is empty.
    T* PopFront()
    {
        ListNode* node = head;
        if (!node)
            return nullptr;
        if (node->next == node)
            head = nullptr;
        else
        {
            node->previous->next = node->next;
            node->next->previous = node->previous;
            head = node->next;
        }
        node->next = node->previous = nullptr;
        --count;
        return static_cast<T*>(node);
    }

private:
    ListNode* head = nullptr;
    unsigned long count = 0;
};
} // namespace pardalin::detail
