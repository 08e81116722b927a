#!/usr/bin/env bash
# media.sh DEST: the flags of drapeaux.toml, three bands each.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
flag "$1/images/france.jpg" v '#0055A4' white '#EF4135'
flag "$1/images/italie.jpg" v '#009246' white '#CE2B37'
flag "$1/images/belgique.jpg" v black '#FDDA24' '#EF3340'
flag "$1/images/allemagne.jpg" h black '#DD0000' '#FFCE00'
flag "$1/images/irlande.jpg" v '#169B62' white '#FF883E'
flag "$1/images/pays-bas.jpg" h '#AE1C28' white '#21468B'
