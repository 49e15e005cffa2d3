#pragma once

#include <cstddef>

// Prepares the heap for `bytes` of small allocations that follow at once,
// as when a large list is loaded: the heap grows in one step and asks for
// huge pages over the new part. On virtual machines every first touch of a
// 4 KiB page traps to the host, which makes a million records cost more in
// page faults than in parsing; huge pages cut the traps 512-fold. A hint
// only: does nothing where unsupported or for small amounts. Keep the
// object alive until the allocations are done.
class CHeapReservation
{
public:
    explicit CHeapReservation(std::size_t bytes);
    ~CHeapReservation();
    CHeapReservation(const CHeapReservation &) = delete;
    CHeapReservation &operator=(const CHeapReservation &) = delete;

private:
    // Held so that no free() trims the grown heap before it is used.
    void *m_anchors[4] = {};
};
