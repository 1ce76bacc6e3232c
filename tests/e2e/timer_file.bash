# A timer file as the program writes it, for the whole-program tests and the
# process benchmarks (sourced, not run by itself).

# timer_file_xml <count> <first start>: "Timer 1" starts from <first start>
# seconds, timer i (from 2) from i minutes.
timer_file_xml() {
    printf '%s' '<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>'
    local f n t w i
    for f in Name:string:30 StartTime:i4 TimerLoop:boolean GenAnnInterval:i4 GenAnnAction:i4 \
        TimerExpAction:i4 TimerExpLoop:boolean TimerExpFilename:string:255 \
        Rule{1,2,3}Enabled:boolean Rule{1,2,3}Action:i4 Rule{1,2,3}Interval:i4 \
        Rule{1,2,3}Start:i4 Rule{1,2,3}Filename:string:255; do
        IFS=: read -r n t w <<<"$f"
        printf '<FIELD attrname="%s" fieldtype="%s"%s/>' "$n" "$t" "${w:+ WIDTH=\"$w\"}"
    done
    printf '%s' '</FIELDS><PARAMS/></METADATA><ROWDATA>'
    printf '<ROW Name="Timer 1" StartTime="%d"/>' "$2"
    for i in $(seq 2 "$1"); do printf '<ROW Name="Timer %d" StartTime="%d"/>' "$i" "$((i * 60))"; done
    printf '%s' '</ROWDATA></DATAPACKET>'
}
