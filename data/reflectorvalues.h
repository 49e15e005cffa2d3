#pragma once

#include "data/reflector.h"

// The twelve values a record dialog shows and returns, in field order.
// Unlike a record, nothing trims them: the caller decides whether values
// become a record through the value constructor (trimmed) or as they are.
struct ReflectorValues {
    CText text[CReflector::kTextCount];
    int flag[4] = {0, 0, 0, 0}; // menu, send, receive, running

    static ReflectorValues FromRecord(const CReflector &record)
    {
        ReflectorValues v;
        for (int i = 0; i < CReflector::kTextCount; ++i)
            v.text[i] = record.Text(i);
        for (int i = 0; i < 4; ++i)
            v.flag[i] = record.Flag(i);
        return v;
    }

    // A new record through the value constructor (trimmed).
    std::unique_ptr<CReflector> MakeRecord() const
    {
        return std::make_unique<CReflector>(text[0], text[1], text[2], text[3], text[4], text[5], text[6],
                                            text[7], flag[0], flag[1], flag[2], flag[3]);
    }

    // Puts the values into `record` exactly as they are (not trimmed).
    void StoreRaw(CReflector &record) const
    {
        for (int i = 0; i < CReflector::kTextCount; ++i)
            record.Text(i) = text[i];
        record.m_bAddToMenu = flag[0];
        record.m_bSendVideo = flag[1];
        record.m_bReceiveVideo = flag[2];
        record.m_bRunning = flag[3];
    }
};
