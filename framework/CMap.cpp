#include "framework/CMap.h"

// Text hashes: the classic multiply-by-33 string hash, enough to spread short keys over the buckets.
UINT HashKey(LPCWSTR key)
{
    UINT hash = 0;
    if (key)
        for (; *key; ++key)
            hash = (hash << 5) + hash + static_cast<UINT>(*key);
    return hash;
}

UINT HashKey(LPCSTR key)
{
    UINT hash = 0;
    if (key)
        for (; *key; ++key)
            hash = (hash << 5) + hash + static_cast<UINT>(static_cast<unsigned char>(*key));
    return hash;
}
