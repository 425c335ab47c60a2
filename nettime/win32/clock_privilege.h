#pragma once
// Whether this process may set the clock: its token holds SeSystemtimePrivilege. Standard users
// do not hold it, nor do administrators whose programs run with the UAC-filtered token; an
// elevated administrator does. Held counts even when disabled: SetSystemTime enables it itself.
namespace mdx::win {

bool processHoldsSystemtimePrivilege();

}  // namespace mdx::win
