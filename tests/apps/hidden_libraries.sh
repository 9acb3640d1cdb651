# Running a program as on a machine where some of its optional libraries
# are not installed, for the scripts in this folder.
#   . hidden_libraries.sh
#   run_without "SONAME..." COMMAND ARGS...   (replaces the shell: run it with &)
# As root, in a mount namespace of its own, each library's file is hidden
# behind /dev/null, as the loader finds it where the package put it.
# Otherwise a folder put first on the loader's path holds an empty file of
# each name, which the loader takes and cannot load.

run_without() {
    local sonames=$1
    shift
    if [ "$(id -u)" = 0 ] && unshare --mount --propagation private true 2>/dev/null; then
        local files=() soname file
        for soname in $sonames; do
            # awk reads to the end: ldconfig must not die of a closed pipe
            # (the callers run with pipefail).
            file=$(ldconfig -p | awk -v name="$soname" '$1 == name && !found { print $NF; found = 1 }')
            [ -n "$file" ] && files+=("$(readlink -f "$file")")
        done
        exec unshare --mount --propagation private sh -c '
            while [ "$1" != -- ]; do mount --bind /dev/null "$1" || exit 1; shift; done
            shift; exec "$@"' _ "${files[@]}" -- "$@"
    fi
    local shadows
    shadows=$(mktemp -d)
    for soname in $sonames; do
        : > "$shadows/$soname"
    done
    LD_LIBRARY_PATH=$shadows${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH} exec "$@"
}
