# A screen reader in another process reads the grid over MSAA, the pick
# selected, and runs another row as a double click does: it chains.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

make_host_folder
start_program "$folder"
# Whether the grid has the focus yet ("f") is the window manager's business.
read_grid() { probe accessible "$MAIN_CAPTION" 0 | tr '\t' '|' | sed 's/|sf$/|s/'; }
grid_reads() { [ "$(read_grid)" = $'項目\n1 A.BAT A summary|s\n2 B.BAT B summary|\n3 C.BAT C summary|' ]; }
eventually 10 grid_reads || fail "the grid read over MSAA: $(read_grid)"
probe accessible "$MAIN_CAPTION" 2 || fail "the default action was refused"
wait_program_end 10
expect_exchange "h/$bat2"
echo "accessible test passed"
