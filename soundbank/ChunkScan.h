// Finding chunk identifiers: the first offset at which either of two four-byte identifiers begins.
// The result equals that of testing every start offset in turn, byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteSource;

constexpr uint64_t kNoChunk = ~uint64_t(0);

// First offset o (o + 4 <= n) at which id1 or id2 begins in data; kNoChunk when there is none.
uint64_t FindChunkId(const unsigned char* data, size_t n, const char* id1, const char* id2);

// The same over a whole source, testing only start offsets up to maxStart (inclusive).
// Reads through a buffer (or the source's memory), never byte by byte.
uint64_t ScanForChunkId(CByteSource& source, const char* id1, const char* id2, uint64_t maxStart = kNoChunk);

// The plain byte-by-byte scan, kept as the reference the fast scan is tested against.
uint64_t FindChunkIdBytewise(const unsigned char* data, size_t n, const char* id1, const char* id2);
