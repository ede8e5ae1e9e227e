// Reading a fuzzer's input as a stream of typed values; once the bytes run
// out every value reads as zero, so any input, even an empty one, decodes.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    std::uint8_t byte()
    {
        return at < size ? data[at++] : 0;
    }

    std::uint16_t uint16()
    {
        const std::uint16_t low = byte();
        return std::uint16_t(low | byte() << 8);
    }

    // Any 32-bit pattern: INT_MIN, INT_MAX and everything between.
    std::int32_t int32()
    {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= std::uint32_t(byte()) << (8 * i);
        return std::int32_t(bits);
    }

    // Any float bit pattern: NaNs, infinities, denormals and huge values.
    float float32()
    {
        const std::uint32_t bits = std::uint32_t(int32());
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A coordinate: a selector byte, then four bytes read either as the raw
    // int or as a value in first .. first + span - 1, where the edges of a
    // screen or of the grid lie, so that small inputs reach them too.
    int coordinate(int first, int span)
    {
        const bool raw = byte() & 1;
        const std::int32_t value = int32();
        if (raw)
            return value;
        return first + int(std::uint32_t(value) % std::uint32_t(span));
    }

    std::size_t remaining() const
    {
        return size - at;
    }
};
