#pragma once
// The system's part of TTrava: one file, one attempt at its lock.
#include <cstdint>
#include <string>

#include "platform/plataforma.h"

namespace quelb::plataforma::sistema {

// Opens the lock file ACaminho, creating it when missing; -1 when it cannot
// be opened (a folder where nothing can be created).
intptr_t AbrirTrava(const std::u16string& ACaminho);
// One attempt, without waiting: Travada, Ocupada (another holder has it) or
// SemTrava (the file system offers no lock).
TTrava::TSituacao TentarTravar(intptr_t AAlca);
// Whether the open lock file is still the file at ACaminho.
bool MesmoArquivo(intptr_t AAlca, const std::u16string& ACaminho);
// Removes the lock file, held locked, from its folder; nothing when it
// cannot (a folder where nothing can be removed keeps it).
void RemoverTrava(intptr_t AAlca, const std::u16string& ACaminho) noexcept;
// Closes the file, releasing a lock held on it.
void FecharTrava(intptr_t AAlca) noexcept;

}  // namespace quelb::plataforma::sistema
