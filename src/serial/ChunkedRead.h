#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Reads one chunk of at most cbWanted bytes into the buffer; cbRead receives how many bytes
// arrived, also when the result is false (a read cancelled after its grace time may still have
// brought bytes, and they are the device's data).
using ChunkReader = std::function<bool(char* pBuffer, uint32_t cbWanted, uint32_t& cbRead)>;

// Reads the bytes the driver reported waiting, in chunks of at most cbChunk. Every byte that
// arrived is kept; the reading ends after a chunk that failed or brought nothing (the next pass
// asks the driver again), or when fnStopRequested says so between chunks.
std::string readInChunks(uint32_t cbWaiting, uint32_t cbChunk, const ChunkReader& fnRead,
                         const std::function<bool()>& fnStopRequested);
