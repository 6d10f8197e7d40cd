#pragma once
// Asks for memory ahead of its use, so that the wait for it overlaps other
// work. Only a hint: without the compiler's built-in it does nothing.

namespace quelb {

inline void Antecipar(const void* AEndereco) {
#if defined(__GNUC__)
    __builtin_prefetch(AEndereco);
#else
    (void)AEndereco;
#endif
}

}  // namespace quelb
