# Bash completion for scenario_builder: commands, options and their values, the fault codes,
# warning names and commands that `explain` lists, and SCENARIO and LINE from the files in the
# --dir folder (the text files for `compile` and `check`, the compiled files for `plan`).

# The commands; a command is the first argument.
_scenario_builder_commands='sources compile check dump plan decompile explain lsp help'

_scenario_builder_is_command() {
  local command
  for command in $_scenario_builder_commands; do
    [[ $1 == "$command" ]] && return 0
  done
  return 1
}

# The options each command takes; the first list is for the built-in run. An option that
# ends in "=" is completed with its value in the same word.
_scenario_builder_options() {
  local diagnostics='--warnings-as-errors --no-warnings --error-limit= --warning-limit= --color= --diagnostics='
  case $1 in
    '') echo '--dir --help --version' ;;
    sources) echo '--dir --help' ;;
    compile) echo "--dir --out --no-geometry --force -v $diagnostics --help" ;;
    check) echo "--dir --no-geometry $diagnostics --help" ;;
    dump) echo '--type --all --step --units --json --help' ;;
    plan) echo '--dir -o --help' ;;
    decompile) echo '--dir --out --force --check --help' ;;
    explain | lsp | help) echo '--help' ;;
  esac
}

# Options that take a value, given as the next word or after "=".
_scenario_builder_takes_value() {
  case $1 in
    --dir | --out | -o | --type | --step | --error-limit | --warning-limit | --color | --diagnostics) return 0 ;;
  esac
  return 1
}

# The values of an option that has a fixed set of them.
_scenario_builder_values() {
  case $1 in
    --type) echo 'track stations route' ;;
    --color) echo 'auto always never' ;;
    --diagnostics) echo 'json text' ;;
  esac
}

# A word as typed, without its quotes and backslash escapes.
_scenario_builder_dequote() {
  local word=$1
  case $word in
    \"*) word=${word#\"} && word=${word%\"} ;;
    \'*) word=${word#\'} && word=${word%\'} ;;
    *) word=$(printf '%s' "$word" | sed 's/\\\(.\)/\1/g') ;;
  esac
  case $word in
    \~/*) word=$HOME/${word#\~/} ;;
    \~) word=$HOME ;;
  esac
  printf '%s' "$word"
}

# Adds to COMPREPLY the part of every file name in folder $1 that matches "$2*$3" and stands
# where the "*" is, when it begins with $4.
_scenario_builder_names() {
  local folder=$1 prefix=$2 suffix=$3 word=$4 path name
  for path in "$folder/$prefix"*"$suffix"; do
    [[ -f $path ]] || continue
    name=${path##*/}
    name=${name#"$prefix"}
    name=${name%"$suffix"}
    [[ -n $name && $name == "$word"* ]] && COMPREPLY+=("$name")
  done
}

_scenario_builder() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local command='' dir=. i word ended=''
  local -a operands=()
  COMPREPLY=()

  # The command, the --dir folder and the operands already given, before the current word.
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ -n $ended ]]; then
      operands+=("$(_scenario_builder_dequote "$word")")
    elif [[ $word == -- ]]; then
      ended=1
    elif [[ ${COMP_WORDS[i + 1]} == = ]]; then
      # "--dir=work" split by bash into "--dir", "=" and "work"
      ((i + 2 < COMP_CWORD)) && [[ $word == --dir ]] &&
        dir=$(_scenario_builder_dequote "${COMP_WORDS[i + 2]}")
      ((i += 2))
    elif [[ $word == --dir=* ]]; then
      # the same in one word, where "=" does not break words
      dir=$(_scenario_builder_dequote "${word#--dir=}")
    elif _scenario_builder_takes_value "$word"; then
      ((i + 1 < COMP_CWORD)) && [[ $word == --dir ]] &&
        dir=$(_scenario_builder_dequote "${COMP_WORDS[i + 1]}")
      ((i++))
    elif ((i == 1)) && _scenario_builder_is_command "$word"; then
      command=$word
    elif [[ $word != -* ]]; then
      operands+=("$(_scenario_builder_dequote "$word")")
    fi
  done

  # The value of an option: after "--color", after "--color=" (one word or three).
  local option='' value=$cur
  if [[ -z $ended ]]; then
    if [[ $cur == --*=* ]]; then
      option=${cur%%=*} value=${cur#*=}
    elif [[ $cur == = ]]; then
      option=$prev value=''
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
      option=${COMP_WORDS[COMP_CWORD - 2]}
    elif _scenario_builder_takes_value "$prev"; then
      option=$prev
    fi
  fi
  case $option in
    '') ;;
    --dir | --out)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$(_scenario_builder_dequote "$value")")
      # In one word with the option, the candidates keep the option in front.
      if [[ $cur == --*=* ]]; then
        compopt +o filenames 2>/dev/null
        COMPREPLY=("${COMPREPLY[@]/#/$option=}")
      fi
      return 0
      ;;
    -o)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$(_scenario_builder_dequote "$value")")
      return 0
      ;;
    *)
      mapfile -t COMPREPLY < <(compgen -W "$(_scenario_builder_values "$option")" -- "$value")
      # In one word with the option, the candidates keep the option in front.
      if [[ $cur == --*=* ]]; then
        COMPREPLY=("${COMPREPLY[@]/#/$option=}")
      fi
      return 0
      ;;
  esac

  if [[ -z $ended && $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_scenario_builder_options "$command")" -- "$cur")
    [[ ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    return 0
  fi

  local typed
  typed=$(_scenario_builder_dequote "$cur")
  case $command in
    '')
      ((COMP_CWORD == 1)) &&
        mapfile -t COMPREPLY < <(compgen -W "$_scenario_builder_commands" -- "$cur")
      ;;
    help)
      [[ ${#operands[@]} -eq 0 ]] &&
        mapfile -t COMPREPLY < <(compgen -W "$_scenario_builder_commands" -- "$cur")
      ;;
    compile | check)
      compopt -o filenames 2>/dev/null
      if [[ ${#operands[@]} -eq 0 ]]; then
        _scenario_builder_names "$dir" '' _linea.txt "$typed"
      elif [[ ${#operands[@]} -eq 1 ]]; then
        _scenario_builder_names "$dir" "${operands[0]}_" -.txt "$typed"
      fi
      ;;
    plan | decompile)
      compopt -o filenames 2>/dev/null
      if [[ ${#operands[@]} -eq 0 ]]; then
        _scenario_builder_names "$dir" '' _linea.dat "$typed"
      elif [[ ${#operands[@]} -eq 1 ]]; then
        _scenario_builder_names "$dir" "${operands[0]}_" .sim "$typed"
      fi
      ;;
    dump)
      compopt -o filenames 2>/dev/null
      if [[ ${#operands[@]} -eq 0 ]]; then
        local path
        while IFS= read -r path; do
          [[ -d $path || $path == *.dat || $path == *.sim ]] && COMPREPLY+=("$path")
        done < <(compgen -f -- "$typed")
      fi
      ;;
    explain)
      if [[ ${#operands[@]} -eq 0 ]]; then
        local keys
        keys=$("${COMP_WORDS[0]}" explain 2>/dev/null | sed -n 's/^  \([^ ][^ ]*\) .*/\1/p')
        mapfile -t COMPREPLY < <(compgen -W "$keys" -- "$cur")
      fi
      ;;
  esac
  return 0
}

complete -F _scenario_builder scenario_builder
