# shellcheck shell=bash
# Scenarios of stopping and of the host's other paths (sourced by scenario.sh): Escape,
# Alt+F4 and WM_CLOSE, the configuration box, the host's refusals, and the DLL from the
# release zip.

scenario_stop_keys() {
    start_x 1024x768x24
    keep_desktop big,800x600
    stop_run escape escape
    stop_run alt-f4 alt-f4
    stop_run posted-close posted-close
    release_desktop
}

scenario_config() {
    start_x 1024x768x24
    wine_bg config "$GLINTIX_PROBE" run "$host_exe" "$plugin_dll" --config
    wait_dialog config
    local controls
    controls=$(probe - dialog Configuration)
    note "the box: $(echo "$controls" | tr '\n' ' ')"
    grep -qF 'control Static "glintix #1\n"' <<<"$controls" || fail "no text glintix #1 in the box"
    grep -qF 'control Button "OK"' <<<"$controls" || fail "no OK button in the box"
    ! grep -q '^exit status' "$work/config.out" || fail "the host returned while the box was up"
    xdotool key Return
    ended config
}

# host_error NAME STATUS ARGS...: the host refuses with STATUS and one line of message.
host_error() {
    local name=$1 expected=$2
    shift 2
    wine_bg "$name" "$GLINTIX_PROBE" run "$host_exe" "$@"
    local status lines
    status=$(host_status "$name")
    lines=$(grep -v XGetInputFocus "$work/$name.err" | grep -c . || true)
    note "$name: status $status, $(grep -v XGetInputFocus "$work/$name.err" | head -1)"
    [ "$status" = "$expected" ] || fail "$name: status $status, not $expected"
    [ "$lines" = 1 ] || fail "$name: $lines lines of message, not one"
    [ "$(plugin_windows)" = 0 ] || fail "$name: a window of the plug-in appeared"
}

scenario_host_errors() {
    start_x 1024x768x24
    host_error missing-dll 1 "Z:$work/no-such-plugin.dll"
    host_error no-export 1 "Z:${GLINTIX_NO_EXPORT_DLL:?}"
    host_error no-module 1 "$plugin_dll" --module 2
    # A WAV header that ends before its data, and one with 8-bit samples.
    printf 'RIFF\x24\x00\x00\x00WAVEfmt ' >"$work/short.wav"
    {
        printf 'RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
        printf '\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x08\x00\x00\x00'
        printf '\x80\x80\x80\x80\x80\x80\x80\x80'
    } >"$work/8bit.wav"
    host_error short-wav 2 "$plugin_dll" --wav "Z:$work/short.wav"
    host_error 8bit-wav 2 "$plugin_dll" --wav "Z:$work/8bit.wav"
}

# What a user downloads: the DLL unzipped from the package (GLINTIX_PACKAGE_ZIP, else the
# one scripts/package leaves in out/), run in a 640x480 desktop and stopped with Escape.
scenario_packaged() {
    local zip=${GLINTIX_PACKAGE_ZIP:-${GLINTIX_PACKAGE_DEFAULT:-}}
    [ -f "$zip" ] || fail "no package at '$zip': scripts/package makes it"
    unzip -q "$zip" -d "$work/package"
    local files
    files=$(cd "$work/package" && ls -A | tr '\n' ' ')
    [ "$files" = "BUILDINFO INSTALL.txt SHA256SUMS vis_glintix.dll " ] || fail "the zip holds: $files"
    (cd "$work/package" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
    grep -qE '^commit: [0-9a-f]{40}' "$work/package/BUILDINFO" || fail "BUILDINFO names no commit"
    note "$(basename "$zip"): vis_glintix.dll of $(stat -c %s "$work/package/vis_glintix.dll") bytes"
    plugin_dll=Z:$work/package/vis_glintix.dll

    start_x 1024x768x24
    # What Windows shows in the file's properties.
    local version properties line
    version=$(basename "$zip" | sed -nE 's/^glintix-(.+)-win32\.zip$/\1/p')
    properties=$(probe - version "$plugin_dll")
    note "file properties: $(echo "$properties" | tr '\n' ';')"
    for line in "FileDescription: glintix #1 visualization plug-in" "FileVersion: $version" \
        "ProductName: glintix" "ProductVersion: $version" \
        "OriginalFilename: vis_glintix.dll"; do
        grep -qxF "$line" <<<"$properties" || fail "the file properties lack \"$line\""
    done

    keep_desktop glintix,640x480
    stop_run run escape glintix,640x480
    release_desktop
}
