# Merges the totals of a run split into parts, one `ugraph --count --json`
# object a part (or several files a part), into one object with the same
# keys and "file":null. When the runs name their parts (--part=K/N), every
# part from 0 to N-1 must be there, each file of a part once, or the merge
# stops with an error naming the parts that are malformed, missing or
# repeated.
#
#   jq -s -c -f merge-counts.jq part-*.json

# The parts missing from a sorted list of distinct part numbers below $n,
# found between the numbers given, never by building 0..$n-1.
def missing($n):
  . as $seen
  | ([-1] + $seen + [$n]) as $bounds
  | range(0; ($bounds | length) - 1) as $i
  | range($bounds[$i] + 1; $bounds[$i + 1]);

# Whether a part's label is not K/N with 0 <= K < N <= 1000000, the most
# parts ugraph takes.
def malformed:
  (test("^(0|[1-9][0-9]*)/[1-9][0-9]*$") | not)
  or (split("/") | map(tonumber) | .[0] >= .[1] or .[1] > 1000000);

# The first ten of $count parts of $n, listed, and how many more there are.
def partList($n; $count):
  (.[:10] | map("\(.)/\($n)") | join(", "))
  + (if $count > 10 then " and \($count - 10) more" else "" end);

[.[] | select(.file != null)] as $runs
| [$runs[] | .part // empty] as $labels
| if ($labels | length) > 0 then
    ($labels | map(select(malformed))) as $bad
    | if ($labels | length) != ($runs | length) then
        error("some runs name a part, others none")
      elif ($bad | length) > 0 then
        error("part \($bad[0] | tojson) is not K/N with 0 <= K < N <= 1000000")
      else
        ($labels | map(split("/") | map(tonumber))) as $parts
        | ($parts | map(.[1]) | unique) as $splits
        | if ($splits | length) != 1 then
            error("the parts come from splits into \($splits | map(tostring) | join(" and ")) parts")
          else
            $splits[0] as $n
            # A part may hold several files, each once: a file seen twice
            # in one part is that part given twice.
            | ($runs | group_by(.part)
               | map(select((map(.file) | unique | length) < length)
                     | .[0].part | split("/")[0] | tonumber)
               | sort) as $repeated
            | ($parts | map(.[0]) | unique) as $seen
            | ($n - ($seen | length)) as $count
            | if ($repeated | length) > 0 then
                error("part \($repeated | partList($n; length)) counted more than once")
              elif $count > 0 then
                error("part \([limit(10; $seen | missing($n))] | partList($n; $count)) missing")
              else . end
          end
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
