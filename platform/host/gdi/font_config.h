// The fontconfig configuration that font matching reads, made once.
#pragma once

namespace host::gdi {

// Makes fontconfig's current configuration on the first call; false when
// there is none (no face can be matched then).
bool FontConfigReady();

}  // namespace host::gdi
