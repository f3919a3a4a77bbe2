// Host-only side of ShellExecuteW.
#pragma once

namespace host::shell {

// Collects the exit status of programs ShellExecuteW started that have
// ended, so none lingers as a zombie. Only those children are waited for:
// other waitpid users of the process are not disturbed.
void ReapChildren();

// Whether a started program has not been reaped yet, so that a presenter
// waiting for input wakes now and then to reap it.
bool ChildrenPending();

}  // namespace host::shell
