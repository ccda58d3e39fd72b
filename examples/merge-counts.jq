# Merges the totals of a run split into parts, one `ugraph --count --json`
# object a part (or several files a part), into one object with the same
# keys and "file":null. When the runs name their parts (--part=K/N), every
# part from 0 to N-1 must be there exactly once, or the merge stops with
# an error naming those missing or repeated.
#
#   jq -s -c -f merge-counts.jq part-*.json
[.[] | select(.file != null)] as $runs
| [$runs[] | .part // empty | split("/") | map(tonumber)] as $parts
| if ($parts | length) > 0 then
    ($parts | map(.[1]) | unique) as $splits
    | if ($parts | length) != ($runs | length) then
        error("some runs name a part, others none")
      elif ($splits | length) != 1 then
        error("the parts come from splits into \($splits | map(tostring) | join(" and ")) parts")
      else
        $splits[0] as $n
        | ($parts | map(.[0])) as $seen
        | ([range($n)] - $seen) as $missing
        | ($seen | group_by(.) | map(select(length > 1) | .[0])) as $repeated
        | if ($repeated | length) > 0 then
            error("part \($repeated | map("\(.)/\($n)") | join(", ")) counted more than once")
          elif ($missing | length) > 0 then
            error("part \($missing | map("\(.)/\($n)") | join(", ")) missing")
          else . end
      end
  else . end
| reduce $runs[] as $run (
    {file: null, graphs: 0, tree: 0, cyclic: 0, connected: 0,
     disconnected: 0, "no-node": 0, refused: 0, components: {}};
    reduce ("graphs", "tree", "cyclic", "connected", "disconnected",
            "no-node", "refused") as $key (.; .[$key] += $run[$key])
    | reduce ($run.components | to_entries[]) as $c (.;
        .components[$c.key] += $c.value))
| .components |= (to_entries | sort_by(.key | tonumber) | from_entries)
