# The fuzz targets and how each one is run, for fuzz/ci.sh and fuzz/campaign.sh (sourced, from the
# repository root). A program's corpus is fuzz/corpus/<program>/, its dictionary
# fuzz/<program>.dict.
fuzz_programs=(kostra kostra-dot kostra-matice)
declare -A fuzz_target=([kostra]=fuzz_kostra [kostra-dot]=fuzz_kostra_dot
                        [kostra-matice]=fuzz_kostra_matice)
# The longest input: a graph of a few hundred edges with its answers; kostra-dot's raw transcripts
# take more.
declare -A fuzz_max_len=([kostra]=4096 [kostra-dot]=8192 [kostra-matice]=4096)
# CI's short run of each: about half a minute each on this machine's one core.
declare -A fuzz_ci_runs=([kostra]=25000 [kostra-dot]=20000 [kostra-matice]=15000)

# The options every run of the program's target takes.
fuzz_options() {
    echo "-max_len=${fuzz_max_len[$1]} -timeout=10 -rss_limit_mb=2048 -dict=fuzz/$1.dict"
}
