-- wrk script: the ranking pages of results 1 to 1000 in turn.
local next_id = 0

request = function()
  next_id = next_id % 1000 + 1
  return wrk.format("GET", "/?result=" .. next_id)
end
