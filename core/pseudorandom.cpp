#include "core/pseudorandom.h"

#include <bit>

void PseudoRandom::reseed(float value)
{
    // Mixing rather than replacing: experiments reseeded within one clock tick still differ.
    m_state ^= std::bit_cast<std::uint32_t>(value) * 0xD6E8'FEB8'6659'FD93ULL;
    m_state = step();
}
