# Sourced by sanitize.sh and fuzz.sh: how the sanitizer runtimes report.
# Every report ends the process with an error; leaks are checked at exit, with
# the library leaks named in tests/sanitizers/lsan.supp left out.
supp_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:print_summary=1"
export LSAN_OPTIONS="suppressions=$supp_dir/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:print_summary=1"
