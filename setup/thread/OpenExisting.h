#pragma once

namespace thread {

// Selects the constructors that open an existing named object rather than
// create a new one: Semaphore(openExisting, "name").
struct OpenExisting {};
inline constexpr OpenExisting openExisting{};

} // namespace thread
