#!/usr/bin/env bash
# The layering of the core: its four folders never include a Qt header, and the data model
# never includes a header of the service client. Prints every offending line; fails when there
# is one. Usage: check_includes.sh [source root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]'
# <QString>, "QString", <QtCore/QString>, <QtWidgets>, "QObject.h": Q and a capital, or Qt.
qt_header="${include}(Qt[A-Za-z0-9_]*[/>\"]|Q[A-Z][A-Za-z0-9_]*(\\.h)?[>\"])"
# "service/X.h", also written relative to the including file ("../service/X.h").
service_header="${include}(\\.\\./)*service/"

failed=0
report() {
    local message=$1 pattern=$2
    shift 2
    if grep -rEn --include='*.h' --include='*.hpp' --include='*.cpp' "$pattern" "$@"; then
        echo "error: $message" >&2
        failed=1
    fi
}

report "core/platform, core/model, core/service and core/frontend must not include Qt headers" \
    "$qt_header" "$root/core/platform" "$root/core/model" "$root/core/service" \
    "$root/core/frontend"
report "core/model must not include core/service headers" "$service_header" "$root/core/model"
exit "$failed"
