# Turns the benchmark's figure= lines into a Markdown table of medians,
# one row per figure, one column per locker, in the order they appear.
# Where a locker named "floor" ran (bench/reference/floor-locker.c), every
# other cell also gives its median as a multiple of the floor's.
# Usage: awk -f bench/table.awk bench-output.txt
/^figure=/ {
    for (i = 1; i <= NF; i++) {
        split($i, kv, "=")
        field[kv[1]] = kv[2]
        if (kv[1] ~ /^median_/) { value = kv[2]; unit = substr(kv[1], 8) }
        if (kv[1] ~ /^p99_/) p99 = kv[2]
    }
    f = field["figure"]; l = field["locker"]
    if (!(f in seen_figure)) { seen_figure[f] = 1; figures[++nf] = f; units[f] = unit }
    if (!(l in seen_locker)) { seen_locker[l] = 1; lockers[++nl] = l }
    text = (unit == "kb") ? sprintf("%d", value) : (unit == "minstr" ? sprintf("%.2f M", value) : sprintf("%.2f", value))
    if (f ~ /^keystroke/) text = text sprintf(" (p99 %.2f)", p99)
    cell[f, l] = text
    median[f, l] = value
    delete field; p99 = ""
}
END {
    header = "| figure (median) |"; rule = "|---|"
    for (j = 1; j <= nl; j++) { header = header " " lockers[j] " |"; rule = rule "---:|" }
    print header; print rule
    for (i = 1; i <= nf; i++) {
        f = figures[i]; unitname = (units[f] == "kb") ? "kB" : (units[f] == "minstr" ? "instr" : "ms")
        row = "| " f " (" unitname ") |"
        for (j = 1; j <= nl; j++) {
            l = lockers[j]
            text = ((f, l) in cell) ? cell[f, l] : "–"
            if (l != "floor" && ((f, l) in median) && ((f, "floor") in median) && median[f, "floor"] > 0)
                text = text sprintf(" · %.2f×", median[f, l] / median[f, "floor"])
            row = row " " text " |"
        }
        print row
    }
}
