#!/usr/bin/env bash
# ykt4m-cli on the virtual module with a memory file: a template edited as
# text is restored (sent, read back, checked), and a backup of the module then
# holds the same settings; every command's trace ends with its EndExchange.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
sim="--simulate=ykt4m-4005,memory=$work/module.mem"

"$cli" backup original.tpl "$sim" >/dev/null
"$cli" template show original.tpl >original.txt
sed -e 's/^APN=.*/APN=m2m.example/' \
    -e 's/^OwnerName=.*/OwnerName=Back\\\\office \\xE9/' \
    -e 's/^PhoneNr1=.*/PhoneNr1=+37060000001/' -e 's/^PnCR1=.*/PnCR1=69/' \
    -e 's/^Zone0=.*/Zone0=Hall/' -e 's/^InputSMSPhrase2=.*/InputSMSPhrase2=Gate	open/' \
    -e 's/^WorkMode=.*/WorkMode=ADVANCED/' -e 's/^ImpLength1=.*/ImpLength1=30/' \
    original.txt >edited.txt
"$cli" template pack edited.txt edited.tpl >/dev/null
# show prints what pack reads back.
"$cli" template show edited.tpl | cmp - edited.txt

"$cli" restore edited.tpl "$sim" --trace restore.trace >restore.out || {
    cat restore.out
    exit 1
}
grep -q 'Read back: the module holds every value that was sent' restore.out
"$cli" backup copy.tpl "$sim" --trace backup.trace >/dev/null
# The settings are the same, and differ from the original in the edited ones.
"$cli" template diff edited.tpl copy.tpl
if "$cli" template diff original.tpl copy.tpl >changes.txt; then
    echo "the restore changed nothing"
    exit 1
fi
grep -q 'APN' changes.txt
# A command ends only after its last packet, the read's EndExchange, is out.
for trace in restore.trace backup.trace; do
    last="$(grep ' OUT ' "$trace" | tail -n 1)"
    case "$last" in
    *" OUT 00 41 "*) ;;
    *) echo "$trace ends with: $last"; exit 1 ;;
    esac
done

# A template that cannot be read writes nothing to the module.
sed -e 's/^CID0=.*/CID0=1	2/' original.txt >bad.txt
"$cli" template pack bad.txt bad.tpl >/dev/null
before="$(md5sum module.mem)"
if "$cli" restore bad.tpl "$sim" >bad.out 2>&1; then
    echo "a damaged template was restored"
    exit 1
fi
grep -q 'nothing was written' bad.out
[ "$before" = "$(md5sum module.mem)" ]

# The summary of the module and of its backup say the same, as text and PDF.
"$cli" summary --module "$sim" | grep -v '^Module: ' >module.summary
"$cli" summary copy.tpl >template.summary
grep -q $'^\t\tAPN:\tm2m.example$' template.summary
grep -q $'^\tYKT Type:\tAdvanced communicator$' template.summary
# In the Advanced communicator mode only OC 1 is listed, so the template's
# not knowing whether the module has relays makes no difference.
diff module.summary template.summary
"$cli" summary copy.tpl --pdf summary.pdf >/dev/null
[ "$(head -c 4 summary.pdf)" = "%PDF" ]
echo "backup, restore and summary: ok"
