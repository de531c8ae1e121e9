#!/usr/bin/env bash
# The folders of src/ stand in one order, each including only the folders
# below it:
#   platform < shell < board < links < reports < registers < console
# The composition root, which opens every subsystem, is the one place that
# may include upward: the start-up (shell/Avvio.*), the main window
# (shell/frmMain.*) and src/main.cpp.  Reads every #include "folder/file"
# in src/ and fails, naming file:line and the arrow, on one that climbs;
# a folder missing from the order fails too, so a new one gets its place.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

ORDINE=(platform shell board links reports registers console)
declare -A RANGO=()
for i in "${!ORDINE[@]}"; do RANGO[${ORDINE[$i]}]=$i; done

Radice() {
  case "$1" in
    src/main.cpp | src/shell/Avvio.* | src/shell/frmMain.*) return 0 ;;
  esac
  return 1
}

errori=0
INCLUDE='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*/[^"]*)"'
while IFS= read -r riga; do
  file=${riga%%:*}
  resto=${riga#*:}
  numero=${resto%%:*}
  testo=${resto#*:}
  Radice "$file" && continue
  [[ $testo =~ $INCLUDE ]] || continue
  percorso=${BASH_REMATCH[1]}
  # A path relative to the file itself ("../x/y.h") names the same folders.
  case "$percorso" in
    ./* | ../*) percorso=$(realpath -m --relative-to="$ROOT/src" "$ROOT/${file%/*}/$percorso") ;;
  esac
  da=${file#src/}
  da=${da%%/*}
  a=${percorso%%/*}
  for cartella in "$da" "$a"; do
    if [ -z "${RANGO[$cartella]+x}" ]; then
      echo "$file:$numero: la cartella '$cartella' non ha posto nell'ordine (${ORDINE[*]})"
      errori=$((errori + 1))
      continue 2
    fi
  done
  if ((RANGO[$a] > RANGO[$da])); then
    echo "$file:$numero: $da -> $a ($percorso): include verso l'alto"
    errori=$((errori + 1))
  fi
done < <(grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' src |
         sort -t: -k1,1 -k2,2n)

if ((errori)); then
  echo "Ordine delle cartelle violato: $errori include (ordine: ${ORDINE[*]}; solo shell/Avvio.*, shell/frmMain.* e src/main.cpp includono verso l'alto)"
  exit 1
fi
echo "== Ordine delle cartelle rispettato (${ORDINE[*]})"
